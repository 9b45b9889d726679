#pragma once

#include <memory>
#include <string>

#include "ui/control.h"

// The main window's activity web view: the control its "CefControl" element becomes and the
// address of the page it shows.

// A new control for a "CefControl" element, by the state of the browser runtime: the dummy when
// it is not running, the windowed browser control when it renders on screen, otherwise the
// off-screen browser control painting transparently.
std::unique_ptr<ui::Control> CreateWebViewControl();

// The activity page: activityUrl unchanged when it is set; otherwise gateAddress followed by
// "&lang=" and the language code ("en" when the code is empty). Empty while neither is known:
// the view waits for the gate's first address rather than loading the suffix alone.
std::string ActivityPageAddress(const std::string& activityUrl, const std::string& gateAddress,
                                const std::string& languageCode);
