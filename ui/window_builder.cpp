// The window builder's loading and its walk over the document: root processing, control
// elements, includes. The resource elements and events are in window_builder_*.cpp.
#include "ui/window_builder.h"

#include <cwchar>

#include "ui/attribute_values.h"
#include "ui/box.h"
#include "ui/control.h"
#include "ui/global_block.h"
#include "ui/global_manager.h"
#include "ui/window.h"

namespace ui {
namespace {

// "Include" keeps this many characters of its source.
constexpr std::size_t kMaxIncludeSource = 499;

bool IsResourceElement(const wchar_t* name) {
    return std::wcscmp(name, L"Image") == 0 || std::wcscmp(name, L"Font") == 0 ||
           std::wcscmp(name, L"Class") == 0 || std::wcscmp(name, L"TextColor") == 0;
}

}  // namespace

WindowBuilder::WindowBuilder() : markup_(true) {}

WindowBuilder::WindowBuilder(const CreateControlCallback& callback, BuildState* state, int includeDepth)
    : markup_(true), callback_(callback), state_(state), includeDepth_(includeDepth) {}

WindowBuilder::~WindowBuilder() = default;

Control* WindowBuilder::Create(const wchar_t* xml, CreateControlCallback callback, Window* window, Control* parent,
                               Box* box) {
    callback_ = std::move(callback);
    if (state_ == &ownState_) ownState_ = BuildState{};
    loaded_ = Load(xml ? xml : L"");
    if (!loaded_) return nullptr;
    return BuildLoaded(window, parent, box);
}

Control* WindowBuilder::Build(CreateControlCallback callback, Window* window, Control* parent, Box* box) {
    callback_ = std::move(callback);
    ownState_ = BuildState{};
    return BuildLoaded(window, parent, box);
}

std::wstring WindowBuilder::GetLastErrorMessage() const {
    if (loaded_) return state_->error;
    std::wstring message = markup_.GetLastErrorMessage();
    if (!markup_.GetLastErrorLocation().empty()) message += L" at: " + markup_.GetLastErrorLocation();
    return message;
}

bool WindowBuilder::Load(const wchar_t* xml) {
    if (xml[0] == L'<') return markup_.LoadFromText(xml);
    // An item of the archive has no terminator: it is read by its size.
    const ScopedGlobalBlock item(GlobalManager::ReadZipItem(GlobalManager::GetResourceFilePath(xml)));
    if (!item) return markup_.LoadFromFile(xml);
    const LockedGlobalBlock bytes(item.Get());
    return markup_.LoadFromMem(bytes.Data(), bytes.Bytes().size());
}

Control* WindowBuilder::BuildLoaded(Window* window, Control* parent, Box* box) {
    MarkupNode root = markup_.GetRoot();
    if (!root.IsValid()) return nullptr;
    if (window) ProcessRoot(root, *window);

    MarkupNode first = root.GetFirstChild();
    while (first.IsValid() && IsResourceElement(first.GetName())) first = first.GetNextSibling();
    if (!first.IsValid()) return nullptr;

    if (box) {
        for (int i = 0; i < first.GetAttributeCount(); ++i) {
            box->SetAttribute(first.GetAttributeName(i), first.GetAttributeValue(i));
        }
        ParseChildren(first, box, window);
        return Failed() ? nullptr : box;
    }
    Control* result = ParseChildren(root, parent, window);
    if (parent) return Failed() ? nullptr : result;
    std::unique_ptr<Control> detached(result);
    return Failed() ? nullptr : detached.release();
}

void WindowBuilder::ProcessRoot(MarkupNode root, Window& window) {
    const std::wstring rootName = root.GetName();
    const bool global = rootName == L"Global";
    if (!global && rootName != L"Window") return;
    // Window settings need the native window; a scratch window (global.xml's) has none.
    if (global || window.GetHWND()) {
        for (int i = 0; i < root.GetAttributeCount(); ++i) {
            if (global) {
                ApplyGlobalAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
            } else {
                window.SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
            }
        }
    }
    for (MarkupNode child = root.GetFirstChild(); child.IsValid(); child = child.GetNextSibling()) {
        const std::wstring name = child.GetName();
        if (name == L"Class") {
            auto [className, attributes] = ReadClassElement(child);
            if (className.empty()) continue;
            if (global) {
                GlobalManager::AddClass(className, attributes);
            } else {
                window.AddClass(className, attributes);
            }
        } else if (global && name == L"Font") {
            AddGlobalFont(child);
        } else if (global && name == L"TextColor") {
            AddGlobalTextColor(child);
        }
    }
}

Control* WindowBuilder::ParseChildren(MarkupNode element, Control* parent, Window* window) {
    Box* parentBox = dynamic_cast<Box*>(parent);
    std::unique_ptr<Control> levelResult;
    Control* firstAdded = nullptr;
    for (MarkupNode child = element.GetFirstChild(); child.IsValid() && !Failed(); child = child.GetNextSibling()) {
        const wchar_t* name = child.GetName();
        if (IsResourceElement(name)) continue;
        if (std::wcscmp(name, L"Include") == 0) {
            Include(child, parent, window, levelResult);
            continue;
        }
        std::unique_ptr<Control> control = CreateControl(child, window);
        if (!control) {
            const bool bubbled = std::wcscmp(name, L"BubbledEvent") == 0;
            if (bubbled || std::wcscmp(name, L"Event") == 0) AttachXmlEvent(bubbled, child, parent);
            continue;
        }
        if (!parent) {
            KeepFirst(std::move(control), levelResult);
            continue;
        }
        // Only boxes hold children; a control element inside any other control ends this level.
        if (!parentBox) return nullptr;
        Control* added = control.get();
        if (!parentBox->Add(added)) continue;  // the refused control goes with `control`
        control.release();
        if (!firstAdded) firstAdded = added;
    }
    return parent ? firstAdded : levelResult.release();
}

std::unique_ptr<Control> WindowBuilder::CreateControl(MarkupNode element, Window* window) {
    const std::wstring className = element.GetName();
    std::unique_ptr<Control> control = CreateControlByClass(className);
    if (!control && GlobalManager::GetCreateControlCallback()) {
        control.reset(GlobalManager::GetCreateControlCallback()(className));
    }
    if (!control && callback_) control.reset(callback_(className));
    if (!control) return nullptr;
    if (++state_->controls > kMaxControls) {
        Fail(L"Skin makes more than " + std::to_wstring(kMaxControls) + L" controls");
        return nullptr;
    }

    control->SetWindow(window);
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        control->SetAttribute(element.GetAttributeName(i), element.GetAttributeValue(i));
    }
    if (element.HasChildren()) ParseChildren(element, control.get(), window);
    return control;
}

void WindowBuilder::Include(MarkupNode element, Control* parent, Window* window,
                            std::unique_ptr<Control>& levelResult) {
    if (element.GetAttributeCount() == 0) return;
    int count = 1;
    std::wstring source;
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const std::wstring name = element.GetAttributeName(i);
        if (name == L"count") {
            count = ParseInt(element.GetAttributeValue(i));
        } else if (name == L"source") {
            source = std::wstring(element.GetAttributeValue(i)).substr(0, kMaxIncludeSource);
        }
    }
    if (source.empty()) return;
    for (int i = 0; i < count && !Failed(); ++i) {
        if (includeDepth_ + 1 > kMaxIncludeDepth) {
            Fail(L"Include nested deeper than " + std::to_wstring(kMaxIncludeDepth) + L" files: " + source);
            return;
        }
        if (++state_->includes > kMaxIncludes) {
            Fail(L"Skin includes more than " + std::to_wstring(kMaxIncludes) + L" files");
            return;
        }
        WindowBuilder included(callback_, state_, includeDepth_ + 1);
        Control* built = included.Create(source.c_str(), callback_, window, parent, nullptr);
        if (!parent) KeepFirst(std::unique_ptr<Control>(built), levelResult);
    }
}

void WindowBuilder::KeepFirst(std::unique_ptr<Control> control, std::unique_ptr<Control>& levelResult) {
    if (!levelResult) levelResult = std::move(control);
}

void WindowBuilder::Fail(const std::wstring& message) {
    if (state_->error.empty()) state_->error = message;
}

}  // namespace ui
