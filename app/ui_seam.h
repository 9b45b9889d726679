#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What the application core asks of the UI framework and the launcher windows, which sit
// above it. The entry point fills these hooks before the UI thread starts; the core runs
// them on the UI thread (getText on any thread). A hook left empty is skipped.

class LauncherContext;

// A message box asked for by any thread. For the title, the message and the detail line the
// key wins when it is not empty; the two button keys are used when either is not empty, else
// the two literals. The first button answers 0, the second 1; an empty label hides its button.
struct MessageBoxRequest {
    HWND parent = nullptr;  // null: the main window
    LauncherContext* context = nullptr;
    std::wstring titleKey, titleText;
    std::wstring textKey, textText;
    std::wstring detailKey, detailText;
    std::wstring firstButtonKey, secondButtonKey;
    std::wstring firstButtonText, secondButtonText;
    std::function<void(int)> callback;
    bool swapButtonLooks = false;
};

// One text of a box: a language key to look up, or the text itself.
struct BoxText {
    bool isKey = false;
    std::wstring text;
};

// What the box shows, the key-or-literal choices made.
struct MessageBoxContent {
    BoxText title;
    BoxText message;
    BoxText detail;
    bool buttonsAreKeys = false;
    std::wstring firstButton;   // "no", answers 0
    std::wstring secondButton;  // "yes", answers 1
    bool swapButtonLooks = false;
};

MessageBoxContent ComposeMessageBox(const MessageBoxRequest& request);

// The options box: one choice among language keys, confirmed with one button; the callback
// gets the chosen index. Dismissing the box delivers nothing.
struct OptionsRequest {
    HWND parent = nullptr;  // always the main window
    LauncherContext* context = nullptr;
    std::wstring titleKey;
    std::wstring textKey;
    std::vector<std::wstring> options;
    std::wstring groupName;  // the radio group the options join
    int selected = 0;
    std::wstring confirmKey;
    std::function<void(int)> callback;
};

struct UiServices {
    // Creates and shows the main window; the window owns itself.
    std::function<void()> createMainWindow;
    // Starts the UI framework with the resource path, theme folder and language code, and
    // shuts it down again (resource archive, fonts, drawing objects); the UI thread has OLE in
    // between, for the edit fields' clipboard.
    std::function<void(const std::wstring& resourcePath, const std::wstring& theme,
                       const std::wstring& language)> startup;
    std::function<void()> shutdown;

    // The skin archive. The open hooks answer whether the archive could be opened.
    std::function<void()> closeResourceZip;
    std::function<bool(const std::wstring& path)> openResourceZipFile;
    std::function<bool(const void* bytes, std::size_t size)> openResourceZipMemory;
    // A file of the skin by its name, from the archive or the resource folder.
    std::function<bool(const std::wstring& name, std::string& text)> readResourceFile;

    // The UI language and its texts.
    std::function<std::wstring()> currentLanguage;
    std::function<void(const std::wstring& code)> setLanguage;
    // The faces behind the skins' "button" font name: the embedded fonts' faces.
    std::function<void()> setUiFontFaces;
    std::function<void()> reloadLanguage;  // global resources and the language file
    std::function<std::wstring(const std::wstring& id)> getText;  // any thread
    std::function<void(const std::wstring& id, const std::wstring& text)> setTextOverride;

    // Modal boxes over owner. The message box calls callback with its answer once it closes.
    std::function<void(HWND owner, const MessageBoxContent& content, std::function<void(int)> callback)>
        showMessageBox;
    std::function<void(HWND owner, const OptionsRequest& request)> showOptionsBox;
};
