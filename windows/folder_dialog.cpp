#include "windows/folder_dialog.h"

#include <objbase.h>

#include <memory>
#include <utility>

#include "app/thread_ids.h"
#include "base/thread_registry.h"

namespace {

// BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_NEWDIALOGSTYLE.
constexpr UINT kBrowseFlags = 0x43;

// COM as a single-threaded apartment for the scope, as the browser's new dialog style needs.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

struct ItemListDeleter {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

}  // namespace

FolderDialog::FolderDialog(HWND owner, std::wstring title, std::function<void(int, std::wstring)> resultCallback)
    : title_(std::move(title)), resultCallback_(std::move(resultCallback)) {
    browseInfo_.hwndOwner = owner;
    browseInfo_.ulFlags = kBrowseFlags;
}

void FolderDialog::RunModal() {
    ComApartment apartment;
    browseInfo_.lpszTitle = title_.c_str();
    const std::unique_ptr<ITEMIDLIST, ItemListDeleter> chosen(::SHBrowseForFolderW(&browseInfo_));
    int result = 0;
    path_.clear();
    if (chosen) {
        wchar_t buffer[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(chosen.get(), buffer)) {
            path_ = buffer;
            result = 1;
        }
    }
    kbase::ThreadRegistry::GetInstance()->PostTask(
        kUiThreadId, [callback = resultCallback_, result, path = path_] { callback(result, path); });
}
