#include "ui/control_factory.h"

#include <typeinfo>

#include "ui/box.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_box.h"
#include "ui/circle_progress.h"
#include "ui/combo.h"
#include "ui/control.h"
#include "ui/hbox.h"
#include "ui/hlayout.h"
#include "ui/label.h"
#include "ui/layout.h"
#include "ui/list_box.h"
#include "ui/list_container_element.h"
#include "ui/option.h"
#include "ui/progress.h"
#include "ui/rich_edit.h"
#include "ui/scroll_bar.h"
#include "ui/slider.h"
#include "ui/tab_box.h"
#include "ui/tile_box.h"
#include "ui/tile_layout.h"
#include "ui/tree_view.h"
#include "ui/vbox.h"
#include "ui/virtual_list_box.h"
#include "ui/vlayout.h"

namespace ui {
namespace {

// One skin class: how to make it and how to recognise what it made. Classes that share a C++
// type and differ by their box's layout name that layout too.
struct ControlClass {
    const wchar_t* name;
    std::unique_ptr<Control> (*create)();
    const std::type_info& type;
    const std::type_info* layout;
};

template <class T>
std::unique_ptr<Control> Make() {
    return std::make_unique<T>();
}

template <class T, class L>
std::unique_ptr<Control> MakeWithLayout() {
    return std::make_unique<T>(new L);
}

template <class T>
ControlClass Plain(const wchar_t* name) {
    return ControlClass{name, &Make<T>, typeid(T), nullptr};
}

template <class T, class L>
ControlClass WithLayout(const wchar_t* name) {
    return ControlClass{name, &MakeWithLayout<T, L>, typeid(T), &typeid(L)};
}

const ControlClass kControlClasses[] = {
    Plain<Control>(L"Control"),
    Plain<Label>(L"Label"),
    Plain<Button>(L"Button"),
    Plain<CheckBox>(L"CheckBox"),
    Plain<Option>(L"Option"),
    WithLayout<Box, Layout>(L"Box"),
    Plain<HBox>(L"HBox"),
    Plain<VBox>(L"VBox"),
    Plain<TileBox>(L"TileBox"),
    Plain<LabelBox>(L"LabelBox"),
    Plain<ButtonBox>(L"ButtonBox"),
    Plain<CheckBoxBox>(L"CheckBoxBox"),
    Plain<OptionBox>(L"OptionBox"),
    WithLayout<TabBox, Layout>(L"TabBox"),
    WithLayout<TabBox, HLayout>(L"HTabBox"),
    WithLayout<TabBox, VLayout>(L"VTabBox"),
    WithLayout<ListBox, Layout>(L"ListBox"),
    WithLayout<ListBox, HLayout>(L"HListBox"),
    WithLayout<ListBox, VLayout>(L"VListBox"),
    WithLayout<ListBox, TileLayout>(L"TileListBox"),
    Plain<ListContainerElement>(L"ListContainerElement"),
    Plain<VirtualListBox>(L"VirtualListBox"),
    Plain<TreeView>(L"TreeView"),
    Plain<TreeNode>(L"TreeNode"),
    Plain<ChildBox>(L"ChildBox"),
    Plain<ScrollBar>(L"ScrollBar"),
    Plain<Combo>(L"Combo"),
    Plain<Progress>(L"Progress"),
    Plain<Slider>(L"Slider"),
    Plain<CircleProgress>(L"CircleProgress"),
    Plain<RichEdit>(L"RichEdit"),
};

bool IsOfClass(const Control& control, const ControlClass& entry) {
    if (typeid(control) != entry.type) return false;
    if (!entry.layout) return true;
    const auto* box = dynamic_cast<const Box*>(&control);
    const Layout* layout = box ? box->GetLayout() : nullptr;
    return layout && typeid(*layout) == *entry.layout;
}

}  // namespace

std::unique_ptr<Control> CreateControlByClass(const std::wstring& className) {
    for (const ControlClass& entry : kControlClasses) {
        if (className == entry.name) return entry.create();
    }
    return nullptr;
}

std::wstring GetControlClassName(const Control& control) {
    for (const ControlClass& entry : kControlClasses) {
        if (IsOfClass(control, entry)) return entry.name;
    }
    return std::wstring();
}

}  // namespace ui
