#include "windows/tray_icon.h"

#include <mmsystem.h>

#include <optional>

#include "app/launcher_messages.h"
#include "ui/language_table.h"
#include "windows/balloon_request.h"

namespace {

constexpr int kApplicationIcon = 107;
constexpr DWORD kRespectQuietTime = 0x80;  // NIIF_RESPECT_QUIET_TIME
constexpr UINT kFlashCount = 5;
constexpr DWORD kSoundFromFileAsSystem = 0x220000;  // SND_FILENAME | SND_SYSTEM

template <std::size_t N>
void CopyBounded(wchar_t (&field)[N], const std::wstring& text) {
    ::lstrcpynW(field, text.c_str(), static_cast<int>(N));  // always terminated
}

}  // namespace

TrayIcon::TrayIcon(HWND owner) : ownerWindow_(owner) {
    ::SetPropW(owner, kWindowProperty, this);
    notifyData_.cbSize = sizeof(notifyData_);
    notifyData_.hWnd = owner;
    notifyData_.uID = 0;
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    notifyData_.uCallbackMessage = kMsgTrayIcon;
    notifyData_.hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIcon),
                                                        IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                        ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    added_ = ::Shell_NotifyIconW(NIM_ADD, &notifyData_) != FALSE;
    notifyData_.uVersion = NOTIFYICON_VERSION_4;
    ::Shell_NotifyIconW(NIM_SETVERSION, &notifyData_);
    BuildMenus();
}

TrayIcon::~TrayIcon() {
    ClearMenus();
    if (added_) ::Shell_NotifyIconW(NIM_DELETE, &notifyData_);
    // The property would point at a gone object.
    if (::GetPropW(ownerWindow_, kWindowProperty) == this) ::RemovePropW(ownerWindow_, kWindowProperty);
}

void TrayIcon::ClearMenus() {
    menuItems_.clear();
    popupOwned_.Reset();
    trayMenu_.Reset();  // takes an appended popup menu with it
    popupMenu_ = nullptr;
}

void TrayIcon::AddMenuItem(UINT id, const std::wstring& text) {
    if (!popupMenu_ || !::AppendMenuW(popupMenu_, MF_STRING, id, text.c_str())) return;
    menuItems_.emplace(id, text);
}

void TrayIcon::BuildMenus() {
    ClearMenus();
    trayMenu_.Reset(::CreateMenu());
    popupOwned_.Reset(::CreatePopupMenu());
    popupMenu_ = popupOwned_.Get();
    const ui::LanguageTable& texts = ui::LanguageTable::GetInstance();
    AddMenuItem(kMsgShowLauncher, texts.GetText(L"STRING_NOTIFYTRAY_OPEN"));
    AddMenuItem(kMsgExitLauncher, texts.GetText(L"STRING_NOTIFYTRAY_EXIT"));
    if (trayMenu_ && popupMenu_ &&
        ::AppendMenuW(trayMenu_.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popupMenu_), L"PopMenu")) {
        popupOwned_.Release();
    }
}

void TrayIcon::OnNotification(LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONDBLCLK:
            ::SendMessageW(ownerWindow_, kMsgShowLauncher, 2, 0);
            break;
        case WM_RBUTTONDOWN:
            ShowMenu();
            break;
        default:
            break;
    }
}

void TrayIcon::ShowMenu() {
    if (!popupMenu_) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(ownerWindow_);
    ::TrackPopupMenuEx(popupMenu_, TPM_BOTTOMALIGN, cursor.x, cursor.y, ownerWindow_, nullptr);
    // Lets the menu close when the user clicks elsewhere.
    ::SendMessageW(ownerWindow_, WM_NULL, 0, 0);
}

bool TrayIcon::ShowBalloon(const COPYDATASTRUCT* copyData) {
    if (!copyData) return false;
    const std::optional<BalloonRequest> request = ParseBalloonRequest(copyData->dwData, copyData->lpData, copyData->cbData);
    if (!request || !added_) return false;
    CopyBounded(notifyData_.szInfoTitle, request->title);
    CopyBounded(notifyData_.szInfo, request->text);
    const UINT flags = notifyData_.uFlags;
    const DWORD infoFlags = notifyData_.dwInfoFlags;
    notifyData_.uFlags = NIF_INFO;
    // With a sound file of its own, the balloon stays silent so that only that file is heard.
    notifyData_.dwInfoFlags = kRespectQuietTime | (request->sound.empty() ? 0 : NIIF_NOSOUND);
    const bool shown = ::Shell_NotifyIconW(NIM_MODIFY, &notifyData_) != FALSE;
    notifyData_.uFlags = flags;
    notifyData_.dwInfoFlags = infoFlags;
    if (!shown) return false;
    FLASHWINFO flash{sizeof(flash), request->window, FLASHW_TRAY | FLASHW_TIMERNOFG, kFlashCount, 0};
    ::FlashWindowEx(&flash);
    if (!request->sound.empty()) ::PlaySoundW(request->sound.c_str(), nullptr, kSoundFromFileAsSystem);
    return true;
}
