#include "ui/markup_parser.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <string_view>

#include "app/handle_buffer.h"
#include "base/string_conversions.h"
#include "base/unique_handle.h"
#include "ui/global_manager.h"

namespace ui {
namespace {

constexpr std::size_t kMaxErrorLocation = 49;

constexpr wchar_t kExpectedStartTag[] = L"Expected start tag";
constexpr wchar_t kErrorParsingElementName[] = L"Error parsing element name";
constexpr wchar_t kExpectedStartTagClosing[] = L"Expected start-tag closing";
constexpr wchar_t kExpectedEndTagStart[] = L"Expected end-tag start";
constexpr wchar_t kUnmatchedClosingTag[] = L"Unmatched closing tag";
constexpr wchar_t kErrorParsingAttributes[] = L"Error while parsing attributes";
constexpr wchar_t kExpectedAttributeValue[] = L"Expected attribute value";
constexpr wchar_t kErrorParsingAttributeString[] = L"Error while parsing attribute string";
constexpr wchar_t kNestingTooDeep[] = L"Nesting too deep";
constexpr wchar_t kTooManyElements[] = L"Too many elements";
constexpr wchar_t kUnexpectedNul[] = L"Unexpected NUL character";
constexpr wchar_t kErrorOpeningFile[] = L"Error opening file";
constexpr wchar_t kFileIsEmpty[] = L"File is empty";
constexpr wchar_t kFileTooLarge[] = L"File too large";
constexpr wchar_t kCouldNotReadFile[] = L"Could not read file";

struct Entity {
    std::wstring_view text;
    wchar_t character;
};
constexpr Entity kEntities[] = {
    {L"&amp;", L'&'}, {L"&apos;", L'\''}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'},
};

// The entity that text starts with, or null.
const Entity* EntityAt(std::wstring_view text) {
    if (text.empty() || text[0] != L'&') return nullptr;
    for (const Entity& entity : kEntities) {
        if (text.starts_with(entity.text)) return &entity;
    }
    return nullptr;
}

bool IsNameChar(wchar_t c) {
    return std::iswalnum(c) || c == L'_' || c == L':';
}

bool IsWhitespace(wchar_t c) {
    return c >= 1 && c <= 32;
}

}  // namespace

MarkupParser::MarkupParser(bool preserveWhitespace) : preserveWhitespace_(preserveWhitespace) {}

bool MarkupParser::LoadFromText(const wchar_t* text) {
    Reset();
    const std::size_t length = text ? wcsnlen(text, kMaxTextSize + 1) : 0;
    if (length > kMaxTextSize) return Fail(kFileTooLarge);
    return Parse(std::wstring(text ? text : L"", length));
}

bool MarkupParser::LoadFromMem(const void* bytes, std::size_t size) {
    Reset();
    if (size > kMaxTextSize) return Fail(kFileTooLarge);
    return LoadUtf8(static_cast<const char*>(bytes), bytes ? size : 0);
}

bool MarkupParser::LoadFromFile(const std::wstring& path) {
    Reset();
    const std::wstring full = GlobalManager::GetResourceFilePath(path);
    kbase::ScopedFileHandle file(::CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Fail(kErrorOpeningFile);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return Fail(kCouldNotReadFile);
    if (size.QuadPart == 0) return Fail(kFileIsEmpty);
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxTextSize) return Fail(kFileTooLarge);
    const std::unique_ptr<char[]> buffer = ReadHandleToBuffer(std::move(file), size.QuadPart, nullptr);
    if (!buffer) return Fail(kCouldNotReadFile);
    std::string_view bytes(buffer.get(), static_cast<std::size_t>(size.QuadPart));
    if (bytes.size() > 2 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return LoadUtf8(bytes.data(), bytes.size());
}

MarkupNode MarkupParser::GetRoot() {
    return MarkupNode(this, elements_.size() > 1 ? 1 : 0);
}

void MarkupParser::Reset() {
    Release();
    errorMessage_.clear();
    errorLocation_.clear();
}

void MarkupParser::Release() {
    std::wstring().swap(text_);
    std::vector<Element>().swap(elements_);
}

// Converted with the byte count: the block needs no terminator, and NUL bytes in it are
// kept so that Parse rejects them.
bool MarkupParser::LoadUtf8(const char* bytes, std::size_t size) {
    std::wstring text;
    kbase::CodePageToWide(std::string(bytes ? bytes : "", size), text, CP_UTF8);
    return Parse(std::move(text));
}

bool MarkupParser::Parse(std::wstring text) {
    text_ = std::move(text);
    elements_.clear();
    AddElement(0, 0);  // element 0 stands for "none"
    errorMessage_.clear();
    errorLocation_.clear();
    std::size_t p = 0;
    // Names and values end at NULs in the parsed text, so a NUL in the input would cut them.
    const bool parsed = text_.find(L'\0') == std::wstring::npos ? ParseElement(p, 0, 1) : Fail(kUnexpectedNul);
    if (!parsed) Release();
    return parsed;
}

// Reads the elements of one level, children of parent, which sits at level - 1. Returns with
// p at the parent's end tag, or at the end of the text where an unclosed element is accepted
// (the root and its children).
bool MarkupParser::ParseElement(std::size_t& p, std::uint32_t parent, int level) {
    std::uint32_t previous = 0;
    SkipWhitespace(p);
    for (;;) {
        if (AtEnd(p) && parent <= 1) return true;
        SkipWhitespace(p);
        if (At(p) != L'<') return Fail(kExpectedStartTag, p);
        if (At(p + 1) == L'/') {
            // At the top level there is no element for an end tag to close.
            return parent != 0 || Fail(kUnmatchedClosingTag, p + 2);
        }
        text_[p++] = L'\0';  // ends the parent's content
        SkipWhitespace(p);
        if (At(p) == L'!' || At(p) == L'?') {
            SkipPast(p, At(p) == L'!' ? L"->" : L"?>");
            SkipWhitespace(p);
            continue;
        }
        if (level > kMaxDepth) return Fail(kNestingTooDeep, p);
        if (elements_.size() > kMaxElements) return Fail(kTooManyElements, p);
        const std::size_t nameStart = p;
        const std::uint32_t index = AddElement(nameStart, parent);
        if (previous != 0) {
            elements_[previous].nextSibling = index;
        } else if (parent != 0) {
            elements_[parent].firstChild = index;
        }
        previous = index;

        while (IsNameChar(At(p))) ++p;
        if (AtEnd(p)) return Fail(kErrorParsingElementName);
        const std::size_t nameEnd = p;
        if (!ParseAttributes(p)) return false;
        SkipWhitespace(p);
        if (At(p) == L'/' && At(p + 1) == L'>') {
            elements_[index].data = static_cast<std::uint32_t>(p);
            text_[nameEnd] = L'\0';
            text_[p] = L'\0';
            p += 2;
        } else {
            if (At(p) != L'>') return Fail(kExpectedStartTagClosing, p);
            text_[nameEnd] = L'\0';  // the name ends here even when the element is left open
            elements_[index].data = static_cast<std::uint32_t>(++p);
            ParseData(p, L'<');
            if (AtEnd(p)) {
                if (parent <= 1) return true;
                return Fail(kExpectedEndTagStart);
            }
            if (At(p + 1) != L'/' && !ParseElement(p, index, level + 1)) return false;
            if (At(p) == L'<' && At(p + 1) == L'/' && !ParseEndTag(p, nameStart, nameEnd - nameStart)) return false;
        }
        SkipWhitespace(p);
    }
}

// p is at the "</" that must close the element whose name is at nameStart.
bool MarkupParser::ParseEndTag(std::size_t& p, std::size_t nameStart, std::size_t nameLength) {
    text_[p] = L'\0';  // ends the content
    p += 2;
    SkipWhitespace(p);
    if (text_.compare(p, nameLength, text_, nameStart, nameLength) != 0) return Fail(kUnmatchedClosingTag, p);
    p += nameLength;
    SkipWhitespace(p);
    if (At(p) != L'>') return Fail(kUnmatchedClosingTag, p + 1);
    ++p;
    return true;
}

// p is just after an element's name. Each name := value pair is cut out in place: a NUL ends
// the name, "=" becomes a blank, a NUL ends the decoded value.
bool MarkupParser::ParseAttributes(std::size_t& p) {
    if (At(p) == L'>' || (At(p) == L'/' && At(p + 1) == L'>')) return true;
    text_[p++] = L'\0';
    SkipWhitespace(p);
    while (!AtEnd(p) && At(p) != L'/' && At(p) != L'>') {
        while (IsNameChar(At(p))) ++p;
        const std::size_t nameEnd = p;
        SkipWhitespace(p);
        if (At(p) != L'=') return Fail(kErrorParsingAttributes, p);
        text_[p++] = L' ';
        text_[nameEnd] = L'\0';
        SkipWhitespace(p);
        if (At(p) != L'"') return Fail(kExpectedAttributeValue, p + 1);
        ++p;
        const std::size_t valueEnd = ParseData(p, L'"');
        if (AtEnd(p)) return Fail(kErrorParsingAttributeString);
        text_[p] = valueEnd == p ? L'\0' : L' ';
        ++p;
        SkipWhitespace(p);
    }
    return true;
}

// Decodes the text from p up to the end character (or the text's end) onto itself and returns
// where the decoded text ends. When entities made it shorter, a NUL ends it and blanks fill
// the rest, so the buffer can still be scanned from name to name.
std::size_t MarkupParser::ParseData(std::size_t& p, wchar_t end) {
    std::size_t d = p;
    while (!AtEnd(p) && text_[p] != end) {
        if (const Entity* entity = EntityAt(std::wstring_view(text_).substr(p))) {
            text_[d++] = entity->character;
            p += entity->text.size();
            continue;
        }
        const wchar_t c = text_[p++];
        text_[d++] = c;
        if (c == L' ' && !preserveWhitespace_) SkipWhitespace(p);
    }
    if (d < p) {
        text_[d] = L'\0';
        std::fill(text_.begin() + d + 1, text_.begin() + p, L' ');
    }
    return d;
}

std::uint32_t MarkupParser::AddElement(std::size_t name, std::uint32_t parent) {
    if (elements_.size() == elements_.capacity()) {
        elements_.reserve(elements_.capacity() + elements_.capacity() / 2 + 500);
    }
    Element element;
    element.name = static_cast<std::uint32_t>(name);
    element.parent = parent;
    elements_.push_back(element);
    return static_cast<std::uint32_t>(elements_.size() - 1);
}

bool MarkupParser::Fail(const wchar_t* message, std::size_t location) {
    errorMessage_ = message;
    errorLocation_.clear();
    if (location < text_.size()) {
        const wchar_t* from = text_.c_str() + location;
        errorLocation_.assign(from, wcsnlen(from, std::min(kMaxErrorLocation, text_.size() - location)));
    }
    return false;
}

void MarkupParser::SkipWhitespace(std::size_t& p) const {
    while (IsWhitespace(At(p))) ++p;
}

void MarkupParser::SkipPast(std::size_t& p, const wchar_t* terminator) const {
    const std::size_t found = text_.find(terminator, p);
    p = found == std::wstring::npos ? text_.size() : found + std::wcslen(terminator);
}

}  // namespace ui
