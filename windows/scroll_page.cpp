#include "windows/scroll_page.h"

#include "app/launcher_context.h"
#include "base/string_conversions.h"
#include "windows/page_controls.h"

namespace MainComponents {

void ScrollPage::SetData(const std::string& image, const std::string& newLink) {
    imageControl = FindNamedControl(this, L"bk_image");
    if (imageControl) {
        imageControl->EventMapAt(ui::kEventMouseButtonDown).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
            if (args->sender == imageControl) LauncherContext::Instance()->OpenLink(link, true);
            return false;
        }));
        std::wstring wide;
        kbase::Utf8ToWide(image.c_str(), wide);
        imageControl->SetBkImage(wide);
    }
    link = newLink;
}

void ScrollPage::Clear() {
    imageControl = nullptr;
    link.clear();
}

}  // namespace MainComponents
