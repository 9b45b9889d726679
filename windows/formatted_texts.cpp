#include "windows/formatted_texts.h"

#include "base/string_format.h"
#include "ui/language_table.h"

namespace {
constexpr std::size_t kMaxTextLength = 259;
}  // namespace

std::wstring FormatByteSize(std::uint64_t bytes) {
    // The product is formed in single precision, as the sizes were always shown: 1048575
    // bytes round up to "1024.00KB" rather than change unit.
    const float count = static_cast<float>(bytes);
    if (bytes >= (1ULL << 30)) return kbase::FormatWideString(L"%5.2fG", static_cast<double>(count * 0x1p-30f));
    if (bytes >= (1ULL << 20)) return kbase::FormatWideString(L"%5.2fM", static_cast<double>(count * 0x1p-20f));
    return kbase::FormatWideString(L"%5.2fKB", static_cast<double>(count * 0x1p-10f));
}

std::wstring FormatLanguageText(const std::wstring& id, const std::wstring& value) {
    std::wstring text = kbase::FillTextValue(ui::LanguageTable::GetInstance().GetText(id), value);
    if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
    return text;
}
