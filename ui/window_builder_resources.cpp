// The "Global" root of global.xml and the "Class" elements of every skin.
#include <string>

#include "ui/attribute_values.h"
#include "ui/global_manager.h"
#include "ui/window_builder.h"

namespace ui {

void ApplyGlobalAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"disabledfontcolor") {
        GlobalManager::SetDefaultDisabledTextColor(value);
    } else if (name == L"defaultfontcolor") {
        GlobalManager::SetDefaultTextColor(value);
    } else if (name == L"linkfontcolor" || name == L"linkhoverfontcolor" || name == L"selectedcolor") {
        // Only makes sure the colour name exists (as transparent when global.xml lacks it).
        GlobalManager::GetTextColor(value);
    }
}

void AddGlobalFont(MarkupNode element) {
    std::wstring id;
    std::wstring face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool isDefault = false;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const std::wstring name = element.GetAttributeName(i);
        const std::wstring value = element.GetAttributeValue(i);
        if (name == L"id") id = value;
        else if (name == L"name") face = value;
        else if (name == L"size") size = ParseInt(value);
        else if (name == L"bold") bold = ParseBool(value);
        else if (name == L"underline") underline = ParseBool(value);
        else if (name == L"italic") italic = ParseBool(value);
        else if (name == L"default") isDefault = ParseBool(value);
    }
    if (!face.empty()) GlobalManager::AddFont(id, face, size, bold, underline, italic, isDefault);
}

void AddGlobalTextColor(MarkupNode element) {
    std::wstring name;
    std::wstring value;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const std::wstring attribute = element.GetAttributeName(i);
        if (attribute == L"name") name = element.GetAttributeValue(i);
        else if (attribute == L"value") value = element.GetAttributeValue(i);
    }
    // An entry without a value would read past its "#"; it is left out.
    if (!name.empty() && !value.empty()) GlobalManager::AddTextColor(name, value);
}

std::pair<std::wstring, std::wstring> ReadClassElement(MarkupNode element) {
    std::wstring className;
    std::wstring list;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const std::wstring name = element.GetAttributeName(i);
        const std::wstring value = element.GetAttributeValue(i);
        if (name == L"name") {
            className = value;
        } else if (name == L"value") {
            list += value;
        } else {
            // "_value" is how a class gives its controls an attribute named "value".
            list += L' ' + (name == L"_value" ? std::wstring(L"value") : name) + L"=\"" + value + L'"';
        }
    }
    std::size_t start = 0;
    while (start < list.size() && (list[start] == L' ' || list[start] < 30)) ++start;
    return {className, list.substr(start)};
}

}  // namespace ui
