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

// The UI framework's process-wide state, UI thread only unless said otherwise: the resource
// root and the open skin archive, the current language and its language file, fonts, text
// colours, classes, images.
class GlobalManager {
public:
    GlobalManager() = delete;

    // --- start-up, language, resources ---------------------------------------------------
    // Starts the framework: DPI awareness and scale, GDI+ and the render factory, the font
    // faces' probes, resource root := resourcePath + themePath (with a trailing separator),
    // global.xml from it, current language := language and its file
    // resourcePath\lang\<language>.ini (from the archive when one is open).
    static void Startup(const std::wstring& resourcePath, CreateControlCallback createControl, bool unused,
                        const std::wstring& themePath, const std::wstring& language);
    // Releases the archive and what the drawing half holds.
    static void Shutdown();

    static std::wstring GetResourcePath();
    // A relative path taken under the resource root; any other path as it is.
    static std::wstring GetResourceFilePath(const std::wstring& path);
    // Any thread.
    static std::wstring GetLanguage();
    static void SetLanguage(const std::wstring& language);
    // After a language change (or a new archive): drops fonts, colours, classes and decoded
    // images, takes resourceRoot as the root unless it is empty, loads global.xml and the
    // current language's file again, runs done, and repaints every window.
    static void ReloadLanguage(const std::wstring& resourceRoot, std::function<void()> done);

    // The skin archive by file name or from memory (read in place: the caller keeps the bytes
    // alive while it is open). False, with no archive open, when the source is not a readable
    // zip archive.
    static bool OpenResourceZip(const std::wstring& path);
    static bool OpenResourceZip(const void* bytes, std::size_t size);
    static void CloseResourceZip();
    static bool HasResourceZip();

    // An item of the open archive, by a path in any form NormalizeZipPath accepts, unpacked
    // into a movable block that the caller frees; null without an archive, for an item it
    // lacks and when unpacking fails.
    static HGLOBAL ReadZipItem(const std::wstring& path);
    // A resource file by its path, relative paths under the resource root: from the archive
    // when it holds the file, else from disk. False when neither has it.
    static bool ReadResourceFile(const std::wstring& path, std::string& bytes);
    // Whether a resource exists: with an archive open, whether the archive holds it; else
    // whether the file exists.
    static bool ResourceExists(const std::wstring& path);

    // --- drawing: GDI+ session, render factory, fonts, colours, classes -----------------
    // Starts GDI+ (once) and makes the render factory and the font DC; Startup calls it, and
    // code that draws without the rest of the framework (tests, tools) may call it alone.
    static void StartupRender();
    // Frees the fonts, the factory and the font DC and ends the GDI+ session.
    static void ShutdownRender();
    static IRenderFactory* GetRenderFactory();

    // Faces behind "system" and "button"; each is probed once when set.
    static void SetFontFaces(const FontFaces& faces);
    static FontFaces GetFontFaces();
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
