#include "ui/clipboard_text.h"

#include <cstddef>
#include <string>

#include "base/string_conversions.h"

namespace ui {
namespace {

// The clipboard, open for one read.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// A global block locked while in scope; the bytes are null when the lock failed.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block)
        : block_(block), bytes_(block ? ::GlobalLock(block) : nullptr), size_(bytes_ ? ::GlobalSize(block) : 0) {}
    ~GlobalLockScope() {
        if (bytes_) ::GlobalUnlock(block_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    const void* Bytes() const { return bytes_; }
    std::size_t Size() const { return size_; }

private:
    HGLOBAL block_;
    void* bytes_;
    std::size_t size_;
};

// The characters before the first zero among the first count.
template <class Char>
std::basic_string<Char> UpToTerminator(const Char* text, std::size_t count) {
    std::size_t length = 0;
    while (length < count && text[length] != Char{}) ++length;
    return std::basic_string<Char>(text, length);
}

}  // namespace

std::wstring ReadClipboardText(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return std::wstring();
    if (::IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        GlobalLockScope block(::GetClipboardData(CF_UNICODETEXT));
        if (!block.Bytes()) return std::wstring();
        return UpToTerminator(static_cast<const wchar_t*>(block.Bytes()), block.Size() / sizeof(wchar_t));
    }
    if (::IsClipboardFormatAvailable(CF_TEXT)) {
        GlobalLockScope block(::GetClipboardData(CF_TEXT));
        if (!block.Bytes()) return std::wstring();
        std::wstring text;
        kbase::CodePageToWide(UpToTerminator(static_cast<const char*>(block.Bytes()), block.Size()), text, CP_ACP);
        return text;
    }
    return std::wstring();
}

}  // namespace ui
