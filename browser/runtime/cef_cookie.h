#pragma once

#include <vector>

#include "browser/runtime/cef_callbacks.h"
#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"

// The cookie store shared by every browser.
class CefCookieManager : public virtual CefBase {
public:
    // The runtime's global store (available once the context is initialised); callback, when
    // given, is told on the runtime's UI thread when the store is ready.
    static CefRefPtr<CefCookieManager> GetGlobalManager(CefRefPtr<CefCompletionCallback> callback);

    // Keeps cookies for exactly these URL schemes; callback, when given, is told when done.
    virtual void SetSupportedSchemes(const std::vector<CefString>& schemes,
                                     CefRefPtr<CefCompletionCallback> callback) = 0;
};

inline CefRefPtr<CefCookieManager> CefCookieManager::GetGlobalManager(CefRefPtr<CefCompletionCallback> callback) {
    return CefRefPtr<CefCookieManager>::Adopt(cef_cookie_manager_get_global_manager(callback.get()));
}
