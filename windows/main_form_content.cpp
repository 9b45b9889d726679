// The main window's texts and links: the title, the version, the headline, the community link
// buttons, and the activity web view with the pages it opens.
#include <string>

#include "app/launcher_context.h"
#include "base/string_conversions.h"
#include "browser/cef_control_base.h"
#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/hbox.h"
#include "ui/label.h"
#include "ui/language_table.h"
#include "windows/main_form.h"
#include "windows/web_view.h"

namespace {

constexpr char kForumKeyPrefix[] = "Forum_";

std::wstring TitleText(const char* key) {
    const auto& titles = LauncherContext::Instance()->titles;
    const auto found = titles.find(key);
    return found == titles.end() ? std::wstring() : found->second;
}

}  // namespace

void MainForm::BindTitles() {
    titleLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"wnd_title")));
    versionLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_version")));
    mainTitleLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_title_main")));
    subTitleLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_title_sub")));
    UpdateTitles();
}

void MainForm::UpdateTitles() {
    if (titleLabel_) titleLabel_->SetTextId(L"STRING_GAME_TITLE", true);
    if (versionLabel_) versionLabel_->SetUTF8Text(LauncherContext::Instance()->displayGameVersion.Get());
    if (mainTitleLabel_) mainTitleLabel_->SetText(TitleText("title_main"));
    if (subTitleLabel_) subTitleLabel_->SetText(TitleText("title_sub"));
}

void MainForm::RebuildJumpLinks() {
    if (!jumpLinks_) return;
    jumpLinks_->RemoveAll();
    std::size_t index = 0;
    for (const ForumLink& link : LauncherContext::Instance()->forumLinks) {
        auto button = std::make_unique<ui::Button>();
        button->SetAttribute(L"width", L"auto");
        button->SetAttribute(L"height", L"auto");
        button->SetAttribute(L"halign", L"center");
        button->SetAttribute(L"valign", L"center");
        button->SetAttribute(L"cursortype", L"hand");
        std::wstring image;
        kbase::CodePageToWide(link.normalImage, image, CP_UTF8);
        button->SetAttribute(L"bkimage", image);
        kbase::CodePageToWide(link.hotImage, image, CP_UTF8);
        button->SetAttribute(L"hotimage", image);
        button->SetUTF8DataId(link.linkKey);
        button->EventMapAt(ui::kEventClick).push_back(
            MakeWeakCallback([this](ui::EventArgs* args) { return OnJumpLink(args); }));
        if (!link.tooltip.empty()) {
            std::wstring key;
            kbase::CodePageToWide(link.tooltip, key, CP_UTF8);
            button->SetToolTipText(ui::LanguageTable::GetInstance().GetText(key));
        }
        jumpLinks_->AddAt(button.release(), index++);
    }
}

bool MainForm::OnJumpLink(ui::EventArgs* args) {
    if (!args || !args->sender) return true;
    const std::string key = args->sender->GetUTF8DataId();
    LauncherContext::Instance()->OpenLink(key, true);
    const bool forum = key.rfind(kForumKeyPrefix, 0) == 0;
    TrackUiClick("community", forum ? key.substr(sizeof(kForumKeyPrefix) - 1) : key);
    return true;
}

void MainForm::InitWebView() {
    webView_ = dynamic_cast<zel_comp::CefControlBase*>(FindControl(std::wstring(L"webview")));
    if (webView_) {
        webView_->AttachLoadEnd(MakeWeakCallback([this](int) { OnWebViewLoadEnd(); }));
        webView_->AttachBeforePopup(MakeWeakCallback([this](const std::wstring& url) {
            std::string utf8;
            kbase::WideToUtf8(url, utf8);
            return OnWebViewPopup(utf8);
        }));
        webView_->SetFadeVisible(false);
    }
    if (!LauncherContext::Instance()->endpoints.ActivityURL.empty()) {
        webViewDebug_ = dynamic_cast<zel_comp::CefControlBase*>(FindControl(std::wstring(L"webview_debug")));
        if (webView_ && webViewDebug_) webView_->ShowDevToolsIn(webViewDebug_);
    }
    LoadWebViewUrl();
}

void MainForm::LoadWebViewUrl() {
    if (!webView_) return;
    LauncherContext* context = LauncherContext::Instance();
    const std::string address =
        ActivityPageAddress(context->endpoints.ActivityURL, context->ActivityAddr.Get(), context->settings.Get().language);
    if (!address.empty()) webView_->NavigateTo(address);
}

void MainForm::OnWebViewLoadEnd() {
    if (webView_ && !webView_->IsVisible()) webView_->SetFadeVisible(true);
}

bool MainForm::OnWebViewPopup(const std::string& url) {
    LauncherContext::Instance()->OpenLink(url, false);
    return false;
}
