#pragma once

#include <windows.h>

#include <ole2.h>

namespace ui {

// OLE on the calling thread for as long as the scope lives: the edit fields' text services
// reach the clipboard (copy, cut, paste) and drag and drop through it. A thread that has it
// already only counts once more.
class OleScope {
public:
    OleScope() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) ::OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool initialised_;
};

}  // namespace ui
