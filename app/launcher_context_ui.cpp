#include "app/launcher_context.h"

#include <shellapi.h>

#include <utility>

#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "app/ui_resource_archive.h"
#include "app/web_link.h"
#include "base/string_conversions.h"
#include "base/thread_registry.h"

void LoadUiResourceZip() {
    LoadUiResourceArchive(L".\\", LauncherContext::Instance()->ui());
}

bool LauncherContext::LoadChannelConfig() {
    ChannelConfig config;
    if (!ui_.readResourceFile || !ReadChannelConfig(ui_.readResourceFile, settings.Get().language, config))
        return false;
    if (ui_.setTextOverride) {
        for (const auto& [id, text] : config.overrides) ui_.setTextOverride(id, text);
    }
    titles = std::move(config.titles);
    links = std::move(config.links);
    forumLinks = std::move(config.forumLinks);
    return true;
}

void LauncherContext::ReloadUi(std::function<void()> callback) {
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [this, callback = std::move(callback)] {
        LoadUiResourceZip();
        if (ui_.reloadLanguage) ui_.reloadLanguage();
        uiResourcesChanged = 0;
        if (LoadChannelConfig()) SendToMainWindow(kMsgLanguageReloaded, 0, 0);
        if (callback) kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, callback);
    });
}

void ReloadLanguageTask(const std::wstring& code, LauncherContext* context) {
    const UiServices& ui = context->ui();
    if (ui.currentLanguage && ui.currentLanguage() == code) return;
    if (ui.setLanguage) ui.setLanguage(code);
    if (ui.setUiFontFaces) ui.setUiFontFaces();
    if (ui.reloadLanguage) ui.reloadLanguage();
    if (context->LoadChannelConfig()) context->SendToMainWindow(kMsgLanguageReloaded, 0, 0);
}

void LauncherContext::OpenLink(const std::string& text, bool isKey) {
    HWND owner = mainWindow.load();
    if (!owner || text.empty()) return;
    std::string url = text;
    if (isKey) {
        const auto found = links.find(text);
        if (found == links.end()) return;
        url = found->second;
    }
    if (!IsWebLink(url)) return;
    std::wstring wide;
    kbase::CodePageToWide(url, wide, CP_UTF8);
    ::ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
}
