#include "tools/skin_render/render_options.h"

#include <cwchar>

namespace skin_render {

const wchar_t kRenderUsage[] =
    L"usage: skin-render.sh RESOURCES SKIN OUT.png [--dpi PERCENT] [--lang CODE] [--tree TREE.json]";

namespace {

// Scales beyond this make bitmaps nobody wants to look at.
constexpr long kMaxDpiPercent = 500;

bool ParseDpi(const std::wstring& text, int& percent) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || value < 25 || value > kMaxDpiPercent) return false;
    percent = static_cast<int>(value);
    return true;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::wstring>& arguments, RenderOptions& options, std::wstring& error) {
    std::vector<std::wstring> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument.rfind(L"--", 0) != 0) {
            positional.push_back(argument);
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = argument + L" needs a value";
            return false;
        }
        const std::wstring& value = arguments[++i];
        if (argument == L"--dpi") {
            if (!ParseDpi(value, options.dpiPercent)) {
                error = L"--dpi takes a percent from 25 to 500, not " + value;
                return false;
            }
        } else if (argument == L"--lang") {
            options.language = value;
        } else if (argument == L"--tree") {
            options.tree = value;
        } else {
            error = L"unknown option " + argument;
            return false;
        }
    }
    if (positional.size() != 3) {
        error = L"RESOURCES, SKIN and OUT.png are needed, in that order";
        return false;
    }
    options.resources = positional[0];
    options.skin = positional[1];
    options.png = positional[2];
    return true;
}

}  // namespace skin_render
