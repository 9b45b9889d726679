#pragma once

#include "browser/runtime/cef_string.h"

namespace zel_comp {

// The URL cut before its first "#"; whole when it has none.
CefString UrlWithoutFragment(const CefString& url);

// Whether a main-frame move from oldUrl to newUrl went to another page: the URLs differ before
// their fragments (an empty URL differs from any other, two empty ones do not).
bool IsOtherPage(const CefString& oldUrl, const CefString& newUrl);

}  // namespace zel_comp
