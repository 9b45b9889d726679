#pragma once

#include <memory>
#include <string>
#include <utility>

#include "ui/control_factory.h"
#include "ui/markup_parser.h"

namespace ui {

class Box;
class Control;
class Window;

// Turns a skin's XML layout into live controls. One builder holds one parsed document and can
// build it again (the global manager keeps builders of skins built many times).
//
// The root element never becomes a control. A "Global" root fills the global manager's fonts,
// text colours and classes; a "Window" root sets the window's settings and classes. The
// root's control elements become controls by the class table, else by the global manager's
// and then the builder's create-control callback; "Include" builds another skin file in place,
// "Event" and "BubbledEvent" bind attribute lists to events. UI thread only.
//
// Skins are outside input: includes have depth and count limits, and so does the number of
// controls one build makes; exceeding one ends the build with an error, never a hang.
class WindowBuilder {
public:
    // Deepest chain of files including each other, the outermost skin being level 0.
    static constexpr int kMaxIncludeDepth = 16;
    // Most included files built by one Create or Build, repetitions counted.
    static constexpr int kMaxIncludes = 1000;
    // Most controls made by one Create or Build, included files counted.
    static constexpr int kMaxControls = 100000;

    WindowBuilder();
    ~WindowBuilder();
    WindowBuilder(const WindowBuilder&) = delete;
    WindowBuilder& operator=(const WindowBuilder&) = delete;

    // Loads xml (markup text when it starts with "<", else a skin path under the resource
    // root, read from the resource archive when one is open and holds it, else from disk) and
    // builds it as Build does. Null when loading failed or nothing was built.
    Control* Create(const wchar_t* xml, CreateControlCallback callback, Window* window, Control* parent = nullptr,
                    Box* box = nullptr);
    // Builds the loaded document. With a box, the first control element's attributes go to the
    // box and its children become the box's children: the result is the box. Without one, the
    // root's control elements become children of parent (when given): the result is the first
    // of them. Without a parent the caller owns the result, and further top-level controls,
    // having nobody to hold them, are not kept.
    Control* Build(CreateControlCallback callback, Window* window, Control* parent = nullptr, Box* box = nullptr);

    // A document is held: the last Create loaded its text or file.
    bool IsLoaded() const { return loaded_; }
    // Why the last Create or Build gave null: the markup parser's error (with where it
    // happened) or the builder's own; empty when it simply found no control to build.
    std::wstring GetLastErrorMessage() const;

private:
    // What one outermost build has used up, shared with the builders of its includes; a
    // non-empty error ends the build.
    struct BuildState {
        int includes = 0;
        int controls = 0;
        std::wstring error;
    };

    WindowBuilder(const CreateControlCallback& callback, BuildState* state, int includeDepth);

    bool Load(const wchar_t* xml);
    Control* BuildLoaded(Window* window, Control* parent, Box* box);
    void ProcessRoot(MarkupNode root, Window& window);
    // Builds element's children into parent; the result is the first control of the level.
    // Without a parent the caller owns it, and later controls of the level are not kept.
    Control* ParseChildren(MarkupNode element, Control* parent, Window* window);
    // Creates the control of one element with its attributes and children; null when the
    // element names no control class.
    std::unique_ptr<Control> CreateControl(MarkupNode element, Window* window);
    void Include(MarkupNode element, Control* parent, Window* window, std::unique_ptr<Control>& levelResult);
    // The first control of a level without a parent is the level's result; later ones go.
    static void KeepFirst(std::unique_ptr<Control> control, std::unique_ptr<Control>& levelResult);
    bool Failed() const { return !state_->error.empty(); }
    void Fail(const std::wstring& message);

    MarkupParser markup_;
    CreateControlCallback callback_;
    BuildState ownState_;
    BuildState* state_ = &ownState_;  // the outermost builder's
    int includeDepth_ = 0;
    bool loaded_ = false;
};

// Binds an "Event" or "BubbledEvent" element to its control: for every event word of "type"
// and every receiver of "receiver", the control applies the "applyattribute" list to the
// receiver when the event arrives. An element without a control, or a bubbled one on a
// control that is not a box, binds nothing.
void AttachXmlEvent(bool bubbled, MarkupNode element, Control* parent);

// The resource elements of skins: the "Global" root's attributes and its "Font" and
// "TextColor" children, and the attribute list of a "Class".
void ApplyGlobalAttribute(const std::wstring& name, const std::wstring& value);
void AddGlobalFont(MarkupNode element);
void AddGlobalTextColor(MarkupNode element);
// The class's name and its attribute list; an empty name when the element has none.
std::pair<std::wstring, std::wstring> ReadClassElement(MarkupNode element);

}  // namespace ui
