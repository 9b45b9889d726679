#include "windows/predlc_form.h"

#include <cstdint>

#include "app/disk_space.h"
#include "app/file_util.h"
#include "app/launcher_context.h"
#include "base/string_conversions.h"
#include "ui/box.h"
#include "windows/formatted_texts.h"

namespace {
constexpr int kArabicLanguageIndex = 13;
}  // namespace

void PreDlcForm::InitWindow() {
    HandleClicks({{L"btn_confirm", [this] { Finish(1); }},
                  {L"btn_cancel", [this] { Finish(0); }},
                  {L"btn_close", [this] { Finish(0); }}});
    sizeLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_size_value")));
    spaceLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_space_value")));
    if (sizeLabel_) sizeLabel_->SetText(L"");
    if (spaceLabel_) spaceLabel_->SetText(L"");
    if (LauncherContext::Instance()->settings.Get().languageType == kArabicLanguageIndex) {
        // Right to left: each row stands at the right, its value before its title.
        for (const wchar_t* row : {L"size_box", L"space_box"}) {
            auto* box = dynamic_cast<ui::Box*>(FindControl(std::wstring(row)));
            if (!box || box->GetCount() < 2) continue;
            // A row as wide as its labels, so that its alignment can take it to the right.
            box->SetAttribute(L"width", L"auto");
            box->SetAttribute(L"halign", L"right");
            box->SwapChildren(box->GetItemAt(0), box->GetItemAt(1));
        }
    }
    FillSizes();
}

void PreDlcForm::FillSizes() {
    if (sizeLabel_) sizeLabel_->SetText(FormatByteSize(LauncherContext::Instance()->preDownloadSize.load()));
    std::wstring folder;
    std::uint64_t freeBytes = 0;
    if (spaceLabel_ && kbase::Utf8ToWide(GetPreDownloadDir().c_str(), folder) && QueryFreeDiskSpace(folder, freeBytes)) {
        spaceLabel_->SetText(FormatByteSize(freeBytes));
    }
}
