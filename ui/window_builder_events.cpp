// Skin event elements: attribute lists applied to receivers when an event arrives.
#include <string>

#include "base/string_util.h"
#include "ui/box.h"
#include "ui/control.h"
#include "ui/window_builder.h"

namespace ui {

void AttachXmlEvent(bool bubbled, MarkupNode element, Control* parent) {
    // Events belong to a control; one written at the top of a skin has none to go to.
    if (!parent) return;
    Box* box = dynamic_cast<Box*>(parent);
    if (bubbled && !box) return;

    std::wstring types;
    std::wstring receivers;
    std::wstring list;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const std::wstring name = element.GetAttributeName(i);
        if (name == L"type") types = element.GetAttributeValue(i);
        else if (name == L"receiver") receivers = element.GetAttributeValue(i);
        else if (name == L"applyattribute") list = element.GetAttributeValue(i);
    }
    const auto receiverNames = kbase::SplitByDelimiters(receivers, L" ");
    for (const std::wstring& type : kbase::SplitByDelimiters(types, L" ")) {
        const int event = StringToEventType(type);
        for (const std::wstring& receiver : receiverNames) {
            EventCallback handler = parent->MakeWeakCallback([parent, receiver, list](EventArgs* args) {
                return parent->OnApplyAttributeList(receiver, list, args);
            });
            if (bubbled) {
                box->AttachXmlBubbledEvent(event, std::move(handler));
            } else {
                parent->AttachXmlEvent(event, std::move(handler));
            }
        }
    }
}

}  // namespace ui
