// The drawing session of the global manager: GDI+, the render factory and the font DC.
#include <memory>

#include "ui/global_manager.h"
#include "ui/render/gdi_handles.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/render_factory_gdiplus.h"
#include "ui/render_session.h"

namespace ui {
namespace {

struct RenderSession {
    ULONG_PTR token = 0;
    std::unique_ptr<RenderFactory_GdiPlus> factory;
    ScopedMemoryDc fontDc;
};

RenderSession& Session() {
    static RenderSession session;
    return session;
}

}  // namespace

HDC GetFontDc() { return Session().fontDc.Get(); }

void GlobalManager::StartupRender() {
    RenderSession& session = Session();
    if (session.token) return;
    const Gdiplus::GdiplusStartupInput input;  // version 1, background thread, codecs
    if (Gdiplus::GdiplusStartup(&session.token, &input, nullptr) != Gdiplus::Ok) {
        session.token = 0;
        return;
    }
    session.factory = std::make_unique<RenderFactory_GdiPlus>();
    ScopedScreenDc screen;
    session.fontDc.Reset(::CreateCompatibleDC(screen.Get()));
}

void GlobalManager::ShutdownRender() {
    RenderSession& session = Session();
    if (!session.token) return;
    // Every GDI+ object must go before the session ends.
    RemoveAllFonts();
    session.factory.reset();
    session.fontDc.Reset();
    Gdiplus::GdiplusShutdown(session.token);
    session.token = 0;
}

IRenderFactory* GlobalManager::GetRenderFactory() { return Session().factory.get(); }

}  // namespace ui
