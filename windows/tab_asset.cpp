#include "windows/tab_asset.h"

#include "ui/tab_box.h"
#include "windows/page_controls.h"
#include "windows/tab_asset_check.h"
#include "windows/tab_asset_download.h"
#include "windows/tab_asset_setup.h"

namespace MainComponents {

void AddAssetPages(ui::TabBox* tabs) {
    AddPages<TabAsset, TabAsset, TabAssetSetup, TabAssetDownload, TabAssetCheck>(
        tabs, {L"main/tab_asset_none.xml", L"main/tab_asset_setup.xml", L"main/tab_asset_download.xml",
               L"main/tab_asset_check.xml"},
        nullptr);
}

void RemoveAssetPages(ui::TabBox* tabs) {
    ReleaseAndRemovePages<TabAsset>(tabs);
}

}  // namespace MainComponents
