#pragma once

#include <array>
#include <cstdint>

namespace ui {

class MarkupParser;

// A view of one element of a parsed document, read in place from the parser's text: valid
// while the parser holds that document. A node of index 0 is invalid ("none") and reads as
// empty everywhere.
class MarkupNode {
public:
    // Attributes beyond this many are invisible.
    static constexpr int kMaxAttributes = 64;

    MarkupNode() = default;
    MarkupNode(MarkupParser* parser, int element);

    bool IsValid() const { return parser_ && element_ > 0; }

    MarkupNode GetFirstChild() const;
    MarkupNode GetNextSibling() const;
    MarkupNode GetParent() const;
    bool HasChildren() const { return GetFirstChild().IsValid(); }

    const wchar_t* GetName() const;
    // The element's text, with entities decoded.
    const wchar_t* GetContent() const;

    int GetAttributeCount() const;
    // Empty for an index beyond the count.
    const wchar_t* GetAttributeName(int index) const;
    const wchar_t* GetAttributeValue(int index) const;

private:
    struct AttributePosition {
        std::uint32_t name = 0;
        std::uint32_t value = 0;
    };

    // Finds the attribute pairs between the name and the content on first use.
    void MapAttributes() const;
    const wchar_t* TextAt(std::uint32_t offset) const;
    MarkupNode Related(std::uint32_t element) const;

    int element_ = 0;
    mutable int attributeCount_ = 0;
    mutable std::array<AttributePosition, kMaxAttributes> attributes_{};
    MarkupParser* parser_ = nullptr;
};

}  // namespace ui
