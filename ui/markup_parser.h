#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/markup_node.h"

namespace ui {

// Reads the skin's XML layouts into an element table. A small non-validating parser over
// UTF-16 text that works in place: it keeps its own copy of the text, cuts names and values
// out of it with NULs and records each element as offsets into that copy, so nothing is
// copied per element or attribute. It knows elements, double-quoted attribute values, element
// text and the five predefined entities; comments and processing instructions are skipped.
//
// Skins are outside input, so the parser is bounded: text size, nesting depth and element
// count have limits, and any input ends in success or an error, never a crash.
class MarkupParser {
public:
    // Largest text: bytes of a file or memory block, characters of a text.
    static constexpr std::size_t kMaxTextSize = 4 * 1024 * 1024;
    // Deepest element nesting (the root is level 1); bounds the parser's and the builder's
    // recursion.
    static constexpr int kMaxDepth = 128;
    // Most elements in one document; bounds the element table at a few MB.
    static constexpr std::size_t kMaxElements = 100000;

    explicit MarkupParser(bool preserveWhitespace = true);
    MarkupParser(const MarkupParser&) = delete;
    MarkupParser& operator=(const MarkupParser&) = delete;

    // Each load first drops the previous document. True when the whole text was accepted;
    // after false the error texts say why and where, and no document is held.

    // The text up to its terminating NUL (a null pointer reads as empty text).
    bool LoadFromText(const wchar_t* text);
    // UTF-8 bytes of a block that need not be terminated; a byte-order mark is not removed.
    bool LoadFromMem(const void* bytes, std::size_t size);
    // A UTF-8 file, a relative path taken under the resource root; a leading byte-order mark
    // is skipped.
    bool LoadFromFile(const std::wstring& path);

    // The document's first element; invalid when the document has none. Nodes read the
    // parser's text and are valid until the next load.
    MarkupNode GetRoot();

    // At most 99 characters.
    const std::wstring& GetLastErrorMessage() const { return errorMessage_; }
    // At most 49 characters of the text where parsing failed; empty at the text's end and
    // for file errors.
    const std::wstring& GetLastErrorLocation() const { return errorLocation_; }

private:
    friend class MarkupNode;

    // Offsets into text_ and indices into elements_ (0: none).
    struct Element {
        std::uint32_t name = 0;
        std::uint32_t firstChild = 0;
        std::uint32_t nextSibling = 0;
        std::uint32_t parent = 0;
        std::uint32_t data = 0;
    };

    void Reset();
    void Release();
    bool LoadUtf8(const char* bytes, std::size_t size);
    bool Parse(std::wstring text);
    bool ParseElement(std::size_t& p, std::uint32_t parent, int level);
    bool ParseEndTag(std::size_t& p, std::size_t nameStart, std::size_t nameLength);
    bool ParseAttributes(std::size_t& p);
    std::size_t ParseData(std::size_t& p, wchar_t end);
    std::uint32_t AddElement(std::size_t name, std::uint32_t parent);
    bool Fail(const wchar_t* message, std::size_t location = std::wstring::npos);

    bool AtEnd(std::size_t p) const { return p >= text_.size(); }
    wchar_t At(std::size_t p) const { return p < text_.size() ? text_[p] : L'\0'; }
    void SkipWhitespace(std::size_t& p) const;
    void SkipPast(std::size_t& p, const wchar_t* terminator) const;

    std::wstring text_;
    std::vector<Element> elements_;
    std::wstring errorMessage_;
    std::wstring errorLocation_;
    bool preserveWhitespace_;
};

}  // namespace ui
