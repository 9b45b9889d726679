#pragma once

#include <windows.h>

#include <string>

#include "ui/window.h"

namespace ui {

class Combo;

// The combo's borderless pop-up: holds the combo's list while open, closes when it loses the
// focus, and deletes itself with its native window. Every step checks that its combo still
// exists: a combo that goes away first detaches itself.
class CComboWnd : public Window {
public:
    explicit CComboWnd(Combo* owner) : owner_(owner) {}

    std::wstring GetWindowClassName() const override { return L"ComboWnd"; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hwnd) override;

    Combo* GetOwner() const { return owner_; }
    // Takes the list back out and forgets the combo, which is going away.
    void DetachOwner();

private:
    void OnCreate(HWND hwnd);
    void OnClose();
    void OnKillFocus(HWND gainer);
    // The list out of the root, in no window.
    void ReleaseList();

    Combo* owner_ = nullptr;
    bool closing_ = false;
};

}  // namespace ui
