#include "windows/options_box.h"

#include <cwchar>
#include <utility>

#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/option.h"
#include "windows/window_texts.h"

void OptionsBox::Show(HWND owner, const OptionsRequest& request) {
    auto box = std::make_unique<OptionsBox>();
    box->content = {true, request.textKey};
    box->groupName = request.groupName;
    box->optionTexts = request.options;
    box->selectedIndex = request.selected;
    box->buttonText = {true, request.confirmKey};
    ModalDialog::ShowModal(std::move(box), owner, request.callback);
}

void OptionsBox::InitWindow() {
    HandleClicks({{L"btn_ok", [this] { Confirm(); }}, {L"btn_close", [this] { Dismiss(); }}});
    SetLabelText(FindControl(L"content"), content);
    if (auto* list = dynamic_cast<ui::Box*>(FindControl(L"option_vlist"))) {
        for (std::size_t i = 0; i < optionTexts.size(); ++i) {
            auto option = std::make_unique<ui::Option>();
            if (!list->AddAt(option.get(), i)) continue;
            ui::Option* added = option.release();  // the list owns it now
            added->ApplyClass(L"btn_radio");
            added->SetGroup(groupName);
            SetLabelText(added, {optionsAreKeys, optionTexts[i]});
            added->Selected(static_cast<int>(i) == selectedIndex, false);
            added->SetDataId(std::to_wstring(i));
            added->EventMapAt(ui::kEventSelect).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
                return OnOptionSelected(args);
            }));
        }
    }
    if (auto* ok = dynamic_cast<ui::Button*>(FindControl(L"btn_ok"))) {
        SetLabelText(ok, buttonText);
        ok->SetFocus();
    }
}

bool OptionsBox::OnOptionSelected(ui::EventArgs* args) {
    if (args->sender) selectedIndex = static_cast<int>(std::wcstol(args->sender->GetDataId().c_str(), nullptr, 10));
    return true;
}

