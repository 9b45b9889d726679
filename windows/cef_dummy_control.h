#pragma once

#include "ui/control.h"

namespace MainComponents {

// Takes the place of the web view's element while the browser runtime is not running: a plain
// control that shows nothing.
class CefDummyControl : public ui::Control {};

}  // namespace MainComponents
