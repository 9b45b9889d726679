#pragma once

#include <string>

#include "tools/skin_render/render_options.h"

namespace skin_render {

// The framework started on a resource folder or archive, with the DPI scale and the language of
// the options and global.xml loaded; the render side ends with the object.
class SkinSession {
public:
    SkinSession() = default;
    ~SkinSession();
    SkinSession(const SkinSession&) = delete;
    SkinSession& operator=(const SkinSession&) = delete;

    // The output paths of options become absolute, since the working folder changes.
    bool Start(RenderOptions& options, std::wstring& error);
};

}  // namespace skin_render
