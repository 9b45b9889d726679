#include "browser/url_without_fragment.h"

namespace zel_comp {

CefString UrlWithoutFragment(const CefString& url) {
    const std::wstring& text = url.ToWString();
    return CefString(text.substr(0, text.find(L'#')));
}

bool IsOtherPage(const CefString& oldUrl, const CefString& newUrl) {
    return UrlWithoutFragment(oldUrl).compare(UrlWithoutFragment(newUrl)) != 0;
}

}  // namespace zel_comp
