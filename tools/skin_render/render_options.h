#pragma once

#include <string>
#include <vector>

namespace skin_render {

// The command line: RESOURCES SKIN OUT.png [--dpi PERCENT] [--lang CODE] [--tree TREE.json].
struct RenderOptions {
    std::wstring resources;  // a folder holding resources\, or a .zip whose items start with resources/
    std::wstring skin;       // a skin path under the theme folder, for example main/skin.xml
    std::wstring png;
    int dpiPercent = 100;
    std::wstring language = L"en";
    std::wstring tree;  // empty: no tree file
};

// False with error set when the arguments (without the program name) are not a command line
// of the tool.
bool ParseRenderOptions(const std::vector<std::wstring>& arguments, RenderOptions& options, std::wstring& error);

extern const wchar_t kRenderUsage[];

}  // namespace skin_render
