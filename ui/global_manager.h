#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "ui/control_factory.h"
#include "ui/font_info.h"

namespace ui {

class Box;
class Control;
class IRenderFactory;
class ImageInfo;
class Window;

// The UI framework's process-wide state, for now the part the launcher's start-up, language
// switch and skin archive need: the resource root, the current language and its language
// file, and the open skin archive. Skin files are read from the resource folder on disk; the
// archive is kept for the zip reader.
class GlobalManager {
public:
    GlobalManager() = delete;

    // Resource root := resourcePath + themePath (with a trailing separator); current
    // language := language, whose file resourcePath\lang\<language>.ini is loaded.
    static void Startup(const std::wstring& resourcePath, const std::wstring& themePath,
                        const std::wstring& language);
    // Releases what Startup and the archive hold.
    static void Shutdown();

    static std::wstring GetResourcePath();
    static std::wstring GetLanguage();
    static void SetLanguage(const std::wstring& language);
    // Loads the current language's file again (.\resources\lang\<language>.ini).
    static void ReloadLanguage();

    // The skin archive by file or from memory (the bytes are copied). False, with no archive
    // open, when the source is not a zip archive.
    static bool OpenResourceZip(const std::wstring& path);
    static bool OpenResourceZip(const void* bytes, std::size_t size);
    static void CloseResourceZip();
    static bool HasResourceZip();

    // A skin file by its path, relative paths under the resource root; false when it cannot
    // be read.
    static bool ReadResourceFile(const std::wstring& path, std::string& bytes);

    // --- drawing: GDI+ session, render factory, fonts, colours, classes -----------------
    // Starts GDI+ (once) and makes the render factory and the font DC; Startup calls it, and
    // code that draws without the rest of the framework (tests, tools) may call it alone.
    static void StartupRender();
    // Frees the fonts, the factory and the font DC and ends the GDI+ session.
    static void ShutdownRender();
    static IRenderFactory* GetRenderFactory();

    // Faces behind "system" and "button"; each is probed once when set.
    static void SetFontFaces(const FontFaces& faces);
    // Registers a font under id (an empty id becomes the count of fonts); the first font of an
    // id stays. Null when no font could be made.
    static HFONT AddFont(const std::wstring& id, const std::wstring& name, int size, bool bold, bool underline,
                         bool italic, bool isDefault);
    // The font of id, the default font for an empty id; null when absent.
    static FontInfo* GetFont(const std::wstring& id);
    static void RemoveAllFonts();

    // "#AARRGGBB".
    static void AddTextColor(const std::wstring& name, const std::wstring& value);
    static void AddTextColor(const std::wstring& name, DWORD argb);
    // ARGB of a colour name; an unknown name is entered with 0 (transparent).
    static DWORD GetTextColor(const std::wstring& name);
    static void RemoveAllTextColors();
    static const std::wstring& GetDefaultTextColor();
    static const std::wstring& GetDefaultDisabledTextColor();
    static void SetDefaultTextColor(const std::wstring& name);
    static void SetDefaultDisabledTextColor(const std::wstring& name);

    static void AddClass(const std::wstring& name, const std::wstring& attributes);
    static std::wstring GetClassAttributes(const std::wstring& name);  // empty when absent
    static void RemoveAllClasses();

    // The publishing channel; controls whose "channel" list lacks it hide.
    static std::wstring GetCurrentChannel();
    static void SetCurrentChannel(const std::wstring& channel);

    // --- images ----------------------------------------------------------------------
    // The decoded image of a path, shared while anyone holds it; empty when it cannot be
    // decoded. Paths differing only in slashes (and, with an archive, in "./" and "../")
    // share one entry.
    static std::shared_ptr<ImageInfo> GetImage(const std::wstring& path);
    // The live cached image of a path, never decoding; empty when none.
    static std::shared_ptr<ImageInfo> GetCachedImage(const std::wstring& path);
    static void ClearImageCache();

    // --- skins built by the window builder ------------------------------------------------
    // Asked by every builder, before the builder's own callback, for element names that are
    // not framework classes; empty for none.
    static const CreateControlCallback& GetCreateControlCallback();
    static void SetCreateControlCallback(CreateControlCallback callback);
    // Builds a skin file's controls into box, in the box's window: the first control
    // element's attributes go to the box, its children become the box's children.
    static void BuildIntoBox(const std::wstring& skinPath, CreateControlCallback callback, Box* box);
    // The same, parsing each skin file once and building the parsed copy again later.
    static void BuildIntoBoxCached(const std::wstring& skinPath, CreateControlCallback callback, Box* box);
    // A new control tree of a skin file, in no window and under no parent, owned by the
    // caller; each file parsed once. Null when nothing was built.
    static std::unique_ptr<Control> CreateControlTreeCached(const std::wstring& skinPath,
                                                            CreateControlCallback callback);
    // The same when the tree's top is a box; null otherwise.
    static std::unique_ptr<Box> BuildBoxCached(const std::wstring& skinPath, CreateControlCallback callback);

    // --- windows ------------------------------------------------------------------------
    // Every window between Window::Init and its destruction, oldest first.
    static void AddWindow(Window* window);
    // False when the window was not in the list.
    static bool RemoveWindow(Window* window);
    static const std::vector<Window*>& GetWindowList();
};

// Backslashes to slashes, "//" to "/", then "./" dropped and "../" resolved against the
// previous segment: the form of a path inside the resource archive.
std::wstring NormalizeZipPath(const std::wstring& path);

}  // namespace ui
