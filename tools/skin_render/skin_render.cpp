// skin_render RESOURCES SKIN OUT.png [--dpi PERCENT] [--lang CODE] [--tree TREE.json]
// Builds a skin as the launcher would and writes what it paints as an RGBA PNG, and, when
// asked, its control tree as JSON. Run through tools/skin-render.sh. Exit codes: 0 written,
// 1 the skin cannot be loaded or built, 2 a bad command line, 3 the output cannot be written.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <json/writer.h>

#include "base/string_conversions.h"
#include "tests/ui/support/render_snapshot.h"
#include "tools/skin_render/control_tree_json.h"
#include "tools/skin_render/render_options.h"
#include "tools/skin_render/skin_session.h"
#include "tools/skin_render/skin_snapshot.h"

namespace {

int Fail(int code, const std::wstring& message) {
    std::string text;
    kbase::WideToUtf8(L"skin_render: " + message + L"\n", text);
    std::fputs(text.c_str(), stderr);
    return code;
}

bool WriteTree(const std::wstring& path, const Json::Value& tree) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    writer["emitUTF8"] = true;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << Json::writeString(writer, tree) << "\n";
    return static_cast<bool>(out.flush());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    skin_render::RenderOptions options;
    std::wstring error;
    if (!skin_render::ParseRenderOptions(std::vector<std::wstring>(argv + 1, argv + argc), options, error)) {
        return Fail(2, error + L"\n" + skin_render::kRenderUsage);
    }
    skin_render::SkinSession session;
    if (!session.Start(options, error)) return Fail(1, error);
    skin_render::SkinSnapshot snapshot;
    if (!snapshot.Render(options.skin, error)) return Fail(1, options.skin + L": " + error);

    if (!snapshot.GetBitmap() || !ui_test::WriteRenderContextPng(*snapshot.GetBitmap(), options.png)) {
        return Fail(3, L"cannot write " + options.png);
    }
    if (!options.tree.empty() && !WriteTree(options.tree, snapshot.DescribeTree())) {
        return Fail(3, L"cannot write " + options.tree);
    }
    return 0;
}
