#include "tools/skin_render/control_tree_json.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>

#include "base/string_conversions.h"
#include "ui/box.h"
#include "ui/control.h"
#include "ui/control_factory.h"
#include "ui/label.h"

namespace skin_render {
namespace {

std::string Utf8(const std::wstring& text) {
    std::string out;
    kbase::WideToUtf8(text, out);
    return out;
}

// "ui::ShadowBox" -> "ShadowBox".
std::string TypeName(const ui::Control& control) {
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(typeid(control).name(), nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : typeid(control).name();
    const std::size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

// What a text control shows: its literal text, else its language text. None for other controls.
std::optional<std::wstring> ShownText(const ui::Control& control) {
    if (const auto* label = dynamic_cast<const ui::LabelTemplate<ui::Control>*>(&control)) return label->GetText();
    if (const auto* label = dynamic_cast<const ui::LabelTemplate<ui::Box>*>(&control)) return label->GetText();
    return std::nullopt;
}

}  // namespace

Json::Value DescribeControlTree(const ui::Control& control) {
    Json::Value node(Json::objectValue);
    const std::wstring className = ui::GetControlClassName(control);
    node["class"] = className.empty() ? TypeName(control) : Utf8(className);
    node["name"] = Utf8(control.GetName());
    const RECT rect = control.GetPos(true);
    Json::Value& position = node["rect"];
    position["left"] = static_cast<int>(rect.left);
    position["top"] = static_cast<int>(rect.top);
    position["right"] = static_cast<int>(rect.right);
    position["bottom"] = static_cast<int>(rect.bottom);
    node["visible"] = control.IsVisible();
    if (const std::optional<std::wstring> text = ShownText(control)) node["text"] = Utf8(*text);
    if (const auto* box = dynamic_cast<const ui::Box*>(&control)) {
        Json::Value& children = node["children"];
        children = Json::Value(Json::arrayValue);
        for (int i = 0; i < box->GetCount(); ++i) {
            children.append(DescribeControlTree(*box->GetItemAt(static_cast<std::size_t>(i))));
        }
    }
    return node;
}

}  // namespace skin_render
