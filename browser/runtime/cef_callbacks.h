#pragma once

#include <cstdint>
#include <vector>

#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_types.h"

// Objects the runtime hands to the launcher's handlers with a question, and the callbacks that
// answer it later, from any thread. A callback answers once; later calls do nothing.

// Answers a request that waits: an asynchronous resource load or a storage-quota request.
class CefRequestCallback : public virtual CefBase {
public:
    // Lets the request go on (allow) or refuses it.
    virtual void Continue(bool allow) = 0;
    // Refuses the request.
    virtual void Cancel() = 0;
};

// A download as it stands when reported.
class CefDownloadItem : public virtual CefBase {
public:
    // The download's identifier, unique in the process.
    virtual std::uint32_t GetId() = 0;
    // The URL the download comes from.
    virtual CefString GetURL() = 0;
    // The name the page or the server suggested.
    virtual CefString GetSuggestedFileName() = 0;
    // Where the file is written; empty before the download was continued.
    virtual CefString GetFullPath() = 0;
    // True while bytes arrive.
    virtual bool IsInProgress() = 0;
    // True once the file is written whole.
    virtual bool IsComplete() = 0;
    // True once the download was cancelled or failed.
    virtual bool IsCanceled() = 0;
    // Bytes received so far.
    virtual std::int64_t GetReceivedBytes() = 0;
    // Size announced by the server; -1 when unknown.
    virtual std::int64_t GetTotalBytes() = 0;
    // 0 to 100; -1 when the size is unknown.
    virtual int GetPercentComplete() = 0;
};

// Answers the question whether and where a download starts.
class CefBeforeDownloadCallback : public virtual CefBase {
public:
    // Starts the download into downloadPath (a full path); the stand-in shows no dialog and
    // needs a path.
    virtual void Continue(const CefString& downloadPath, bool showDialog) = 0;
};

// Controls a running download.
class CefDownloadItemCallback : public virtual CefBase {
public:
    // Stops the download; the next update reports it cancelled.
    virtual void Cancel() = 0;
};

// Answers a page's file chooser.
class CefFileDialogCallback : public virtual CefBase {
public:
    // Chooses filePaths with the accept filter at that index.
    virtual void Continue(int selectedAcceptFilter, const std::vector<CefString>& filePaths) = 0;
    // Chooses nothing.
    virtual void Cancel() = 0;
};

// Answers a page's alert, confirm or prompt dialog.
class CefJSDialogCallback : public virtual CefBase {
public:
    // Closes the dialog with OK (success) or Cancel, and the prompt's text.
    virtual void Continue(bool success, const CefString& userInput) = 0;
};

// Where a context menu was asked for.
class CefContextMenuParams : public virtual CefBase {
public:
    // The point in view pixels.
    virtual int GetXCoord() = 0;
    virtual int GetYCoord() = 0;
    // The URL of the page the menu belongs to.
    virtual CefString GetPageUrl() = 0;
};

// The items of a context menu; the runtime shows what is left after the handler's question.
class CefMenuModel : public virtual CefBase {
public:
    // Number of items.
    virtual int GetCount() = 0;
    // Removes every item.
    virtual bool Clear() = 0;
    // Appends an item with a command id and label.
    virtual bool AddItem(int commandId, const CefString& label) = 0;
    // The command id of the item at index; -1 past the end.
    virtual int GetCommandIdAt(int index) = 0;
};

// Told that an operation finished.
class CefCompletionCallback : public virtual CefBase {
public:
    // The operation has finished.
    virtual void OnComplete() = 0;
};
