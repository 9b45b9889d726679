#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/tab_box.h"

// What the game-area and pre-download pages share: finding their named controls, switching a
// button's look, and telling whether an event came from inside a box.

// The descendant of root named name, when it is a T; null otherwise.
ui::Control* FindNamedControl(ui::Control* root, const std::wstring& name);
template <class T>
T* FindNamed(ui::Control* root, const std::wstring& name) {
    return dynamic_cast<T*>(FindNamedControl(root, name));
}

// Applies a skin class to a button and keeps the fixed size it had: a new look never moves the
// page around.
void SwitchLook(ui::Control* button, const std::wstring& classes);

// Whether control is box or lies inside it.
bool IsInside(const ui::Control* control, const ui::Control* box);

// The tab box's current page when it is a T; null otherwise.
template <class T>
T* CurrentPage(ui::TabBox* tabs) {
    if (!tabs || tabs->GetCurSel() < 0) return nullptr;
    return dynamic_cast<T*>(tabs->GetItemAt(static_cast<std::size_t>(tabs->GetCurSel())));
}

// Builds one page of each of Pages from its layout file, in order (index 0 first), inserts it
// into tabs, binds it, and selects page 0. prepare runs on each page before it is built.
template <class Base, class... Pages>
void AddPages(ui::TabBox* tabs, const std::array<const wchar_t*, sizeof...(Pages)>& layoutFiles,
              const std::function<void(Base&)>& prepare) {
    if (!tabs) return;
    std::size_t index = 0;
    const auto add = [&](std::unique_ptr<Base> page) {
        if (prepare) prepare(*page);
        ui::GlobalManager::BuildIntoBox(layoutFiles[index], nullptr, page.get());
        if (tabs->AddAt(page.get(), index)) page.release()->BindControls();  // the tab box owns it now
        ++index;
    };
    (add(std::make_unique<Pages>()), ...);
    tabs->SelectItem(0);
}

// Runs action on every child of box that is an Item, in order.
template <class Item, class Action>
void ForEachItem(ui::Box* box, Action action) {
    for (int i = 0; box && i < box->GetCount(); ++i) {
        if (auto* item = dynamic_cast<Item*>(box->GetItemAt(static_cast<std::size_t>(i)))) action(*item);
    }
}

// The main window's close: every page of tabs that is a Page releases its controls, then all
// pages go.
template <class Page>
void ReleaseAndRemovePages(ui::TabBox* tabs) {
    if (!tabs) return;
    ForEachItem<Page>(tabs, [](Page& page) { page.ReleaseControls(); });
    tabs->RemoveAll();
}
