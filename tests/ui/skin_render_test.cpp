// The render tool on the sample skins of tests/ui/skins: its picture, its tree and its errors.
#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>
#include <json/reader.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/path_util.h"
#include "base/unique_handle.h"
#include "tests/ui/image_files.h"

namespace {

using image_files::TempFolder;

struct ToolRun {
    int exitCode = -1;
    std::string errors;
};

std::wstring SourcePath(const std::wstring& relative) {
    std::wstring path = L"Z:" LAUNCHER_SOURCE_DIR_W L"/" + relative;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

// Runs the tool with the arguments, its stderr into a file; a run over a minute is a failure.
ToolRun RunTool(const TempFolder& folder, const std::vector<std::wstring>& arguments) {
    const std::wstring tool = kbase::GetOwnModuleDirectory() + L"..\\tools\\skin_render\\skin_render.exe";
    std::wstring command = Quoted(tool);
    for (const std::wstring& argument : arguments) command += L" " + Quoted(argument);
    const std::wstring errorsPath = folder.Child(L"stderr.txt");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    kbase::ScopedFileHandle errors(::CreateFileW(errorsPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errors.Get();
    PROCESS_INFORMATION info{};
    ToolRun run;
    if (!errors || !::CreateProcessW(tool.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                     &startup, &info)) {
        return run;
    }
    kbase::ScopedFileHandle process(info.hProcess);
    kbase::ScopedFileHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), 5000);
        return run;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    run.exitCode = static_cast<int>(code);
    errors.Reset();
    std::ifstream in(std::filesystem::path(errorsPath), std::ios::binary);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

Json::Value ReadJson(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    Json::Value value;
    Json::CharReaderBuilder reader;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(reader, in, &value, &errors)) << errors;
    return value;
}

// The first control of the tree with that name; null when none.
const Json::Value* FindNamed(const Json::Value& node, const std::string& name) {
    if (node["name"].asString() == name) return &node;
    for (const Json::Value& child : node["children"]) {
        if (const Json::Value* found = FindNamed(child, name)) return found;
    }
    return nullptr;
}

// Names and classes in document order: "Class#name" or "Class", children in brackets.
std::string Outline(const Json::Value& node) {
    std::string text = node["class"].asString();
    if (!node["name"].asString().empty()) text += "#" + node["name"].asString();
    if (!node.isMember("children") || node["children"].empty()) return text;
    text += "(";
    for (Json::ArrayIndex i = 0; i < node["children"].size(); ++i) {
        if (i > 0) text += ",";
        text += Outline(node["children"][i]);
    }
    return text + ")";
}

RECT RectOf(const Json::Value& node) {
    const Json::Value& rect = node["rect"];
    return RECT{rect["left"].asInt(), rect["top"].asInt(), rect["right"].asInt(), rect["bottom"].asInt()};
}

class SkinRenderTool : public ::testing::Test {
protected:
    // The PNG's pixel at a point inside a control's rectangle, as a fraction of its size.
    Gdiplus::ARGB PixelIn(Gdiplus::Bitmap& png, const RECT& rect, double fx, double fy) {
        Gdiplus::Color color;
        const int x = rect.left + static_cast<int>((rect.right - rect.left) * fx);
        const int y = rect.top + static_cast<int>((rect.bottom - rect.top) * fy);
        png.GetPixel(x, y, &color);
        return color.GetValue();
    }

    image_files::GdiplusSession gdiplus_;
    TempFolder folder_;
};

TEST_F(SkinRenderTool, PaintsTheSampleSkinAndDescribesItsTree) {
    const std::wstring png = folder_.Child(L"sample.png");
    const std::wstring tree = folder_.Child(L"sample.json");
    const ToolRun run = RunTool(folder_, {SourcePath(L"tests/ui/skins"), L"sample/skin.xml", png, L"--tree", tree});
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    const Json::Value root = ReadJson(tree);
    EXPECT_EQ(Outline(root),
              "ShadowBox(VBox#root(HBox#title_bar(Control#logo,Control#title_space,Control#badge),"
              "TileBox#tiles(Control,Control,Control,Control,Control,Control),"
              "HBox#footer(Control,Control,Label#footer_title,LabelBox#footer_count,Control#footer_logo)))");
    // The skin's 360 x 240 and 14 pixels of shadow on each side.
    Gdiplus::Bitmap picture(png.c_str());
    ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(picture.GetWidth(), 388u);
    EXPECT_EQ(picture.GetHeight(), 268u);
    const RECT whole = RectOf(root);
    EXPECT_EQ(whole.right, 388);
    EXPECT_EQ(whole.bottom, 268);
    EXPECT_EQ(RectOf(*FindNamed(root, "logo")).left, 18);

    struct Probe {
        const char* control;
        double fx, fy;
        Gdiplus::ARGB want;
    } const probes[] = {
        {"logo", 0.25, 0.25, 0xFFE62828},        {"logo", 0.75, 0.25, 0xFF28C846},
        {"logo", 0.25, 0.75, 0xFF285AE6},        {"logo", 0.75, 0.75, 0xFFFFFFFF},
        {"title_space", 0.5, 0.5, 0xFFE8A33D},  {"footer", 0.5, 0.1, 0xFF1D2638},
        {"footer_logo", 0.75, 0.75, 0xFFFFFFFF},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.control);
        EXPECT_EQ(PixelIn(picture, RectOf(*FindNamed(root, p.control)), p.fx, p.fy), p.want);
    }
    const Json::Value& tiles = (*FindNamed(root, "tiles"))["children"];
    EXPECT_EQ(PixelIn(picture, RectOf(tiles[0]), 0.5, 0.5), 0xFF3D8BE8u);
    EXPECT_EQ(PixelIn(picture, RectOf(tiles[5]), 0.5, 0.5), 0xFF46B37Au);
    const Json::Value& cells = (*FindNamed(root, "footer"))["children"];
    EXPECT_EQ(PixelIn(picture, RectOf(cells[1]), 0.5, 0.5), 0xFFD0D8E4u);
    EXPECT_EQ((*FindNamed(root, "footer_title"))["text"].asString(), "Sample skin");  // from the language file
    EXPECT_EQ((*FindNamed(root, "footer_count"))["text"].asString(), "6");
    EXPECT_FALSE(FindNamed(root, "footer_logo")->isMember("text"));

    // The shadow keeps its alpha: nothing at the corner, a translucent edge.
    Gdiplus::Color corner, edge;
    picture.GetPixel(0, 0, &corner);
    picture.GetPixel(8, 134, &edge);
    EXPECT_EQ(corner.GetA(), 0);
    EXPECT_GT(edge.GetA(), 0);
    EXPECT_LT(edge.GetA(), 255);
}

TEST_F(SkinRenderTool, ScalesForDpi) {
    const std::wstring png = folder_.Child(L"large.png");
    const std::wstring tree = folder_.Child(L"large.json");
    const ToolRun run = RunTool(folder_, {SourcePath(L"tests/ui/skins"), L"sample/skin.xml", png, L"--tree", tree,
                                          L"--dpi", L"200", L"--lang", L"en"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    Gdiplus::Bitmap picture(png.c_str());
    EXPECT_EQ(picture.GetWidth(), 776u);
    EXPECT_EQ(picture.GetHeight(), 536u);
    const Json::Value root = ReadJson(tree);
    const RECT logo = RectOf(*FindNamed(root, "logo"));
    EXPECT_EQ(logo.right - logo.left, 64);
    EXPECT_EQ(PixelIn(picture, logo, 0.75, 0.25), 0xFF28C846u);
}

TEST_F(SkinRenderTool, FailsWithTheParserOrBuilderError) {
    const std::wstring resources = folder_.Child(L"skins");
    const std::filesystem::path skins = std::filesystem::path(resources) / L"resources" / L"themes" / L"default";
    std::filesystem::create_directories(skins / L"bad");
    image_files::WriteBytes((skins / L"bad" / L"broken.xml").wstring(), "<Window><VBox></Window>");
    image_files::WriteBytes((skins / L"bad" / L"empty.xml").wstring(), "<Window><Class name=\"x\"/></Window>");
    const std::wstring png = folder_.Child(L"out.png");
    struct Case {
        std::vector<std::wstring> arguments;
        int exitCode;
        const char* error;
    } const cases[] = {
        {{resources, L"bad/broken.xml", png}, 1, "bad/broken.xml: Unmatched closing tag"},
        {{resources, L"bad/missing.xml", png}, 1, "bad/missing.xml: Error opening file"},
        {{resources, L"bad/empty.xml", png}, 1, "bad/empty.xml: the skin holds no control"},
        {{folder_.Child(L"nowhere"), L"bad/broken.xml", png}, 1, "no such folder or archive"},
        {{resources, L"bad/broken.xml"}, 2, "usage: "},
        {{resources, L"bad/broken.xml", png, L"--dpi", L"12x"}, 2, "--dpi takes a percent"},
        {{resources, L"bad/broken.xml", png, L"--zoom", L"2"}, 2, "unknown option --zoom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const ToolRun run = RunTool(folder_, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.errors.find(c.error), std::string::npos) << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
