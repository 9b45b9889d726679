#include "windows/options_box.h"

#include <utility>

#include "app/thread_ids.h"
#include "base/thread_registry.h"
#include "windows/plain_window.h"

namespace {
constexpr wchar_t kClassName[] = L"OptionsBox";
constexpr int kWidth = 504;
constexpr int kHeight = 320;
}  // namespace

void OptionsBox::Show(HWND owner, const OptionsRequest& request) {
    auto box = std::make_unique<OptionsBox>();
    box->title = {true, request.titleKey};
    box->content = {true, request.textKey};
    box->groupName = request.groupName;
    box->optionTexts = request.options;
    box->selectedIndex = request.selected;
    box->buttonText = {true, request.confirmKey};
    ShowModal(std::move(box), owner, request.callback);
}

bool OptionsBox::ShowModal(std::unique_ptr<OptionsBox> box, HWND owner, std::function<void(int)> callback) {
    if (!RegisterPlainWindowClass(kClassName, &OptionsBox::WindowProc)) return false;
    const std::wstring caption = ResolveText(box->title);
    OptionsBox* created = box.get();
    HWND window = CreateOwningWindow(box, kClassName, caption, owner, kWidth, kHeight);
    if (!window) return false;
    created->owner_ = owner;
    created->callback_ = std::move(callback);
    if (owner) ::EnableWindow(owner, FALSE);
    CenterWindow(window, owner);
    ::ShowWindow(window, SW_SHOW);
    return true;
}

void OptionsBox::Build(HWND window) {
    CreateChild(window, L"STATIC", SS_LEFT, kContentId, ResolveText(content), 24, 20, kWidth - 64, 60);
    for (std::size_t i = 0; i < optionTexts.size(); ++i) {
        const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0);
        HWND option = CreateChild(window, L"BUTTON", style, kFirstOptionId + static_cast<int>(i),
                                  ResolveText({optionsAreKeys, optionTexts[i]}), 40,
                                  90 + 32 * static_cast<int>(i), kWidth - 100, 28);
        ::SendMessageW(option, BM_SETCHECK, static_cast<int>(i) == selectedIndex ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    HWND ok = CreateChild(window, L"BUTTON", BS_DEFPUSHBUTTON, kOkButtonId, ResolveText(buttonText),
                          kWidth - 170, kHeight - 95, 120, 34);
    ::SetFocus(ok);
}

void OptionsBox::Confirm(HWND window) {
    if (owner_) {
        ::EnableWindow(owner_, TRUE);
        ::SetFocus(owner_);
    }
    if (callback_) {
        kbase::ThreadRegistry::GetInstance()->PostTask(
            kUiThreadId, [callback = callback_, index = selectedIndex] { callback(index); });
    }
    ::DestroyWindow(window);  // deletes this box
}

LRESULT CALLBACK OptionsBox::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    OptionsBox* box = WindowObject<OptionsBox>(window, message, l);
    if (!box) return ::DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_CREATE:
            box->Build(window);
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(w);
            if (HIWORD(w) != BN_CLICKED) break;
            if (id == kOkButtonId) {
                box->Confirm(window);
            } else if (id >= kFirstOptionId && id < kFirstOptionId + static_cast<int>(box->optionTexts.size())) {
                box->selectedIndex = id - kFirstOptionId;
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((w & 0xFFF0) == SC_CLOSE) {
                box->Confirm(window);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            DeleteWindowObject<OptionsBox>(window);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, w, l);
}
