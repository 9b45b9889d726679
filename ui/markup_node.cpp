#include "ui/markup_node.h"

#include "ui/markup_parser.h"

namespace ui {

MarkupNode::MarkupNode(MarkupParser* parser, int element) : element_(element), parser_(parser) {
    if (!parser_ || element_ < 0 || static_cast<std::size_t>(element_) >= parser_->elements_.size()) element_ = 0;
}

MarkupNode MarkupNode::GetFirstChild() const {
    return IsValid() ? Related(parser_->elements_[element_].firstChild) : MarkupNode();
}

MarkupNode MarkupNode::GetNextSibling() const {
    return IsValid() ? Related(parser_->elements_[element_].nextSibling) : MarkupNode();
}

MarkupNode MarkupNode::GetParent() const {
    return IsValid() ? Related(parser_->elements_[element_].parent) : MarkupNode();
}

const wchar_t* MarkupNode::GetName() const {
    return IsValid() ? TextAt(parser_->elements_[element_].name) : L"";
}

const wchar_t* MarkupNode::GetContent() const {
    return IsValid() ? TextAt(parser_->elements_[element_].data) : L"";
}

int MarkupNode::GetAttributeCount() const {
    if (attributeCount_ == 0) MapAttributes();
    return attributeCount_;
}

const wchar_t* MarkupNode::GetAttributeName(int index) const {
    return index >= 0 && index < GetAttributeCount() ? TextAt(attributes_[index].name) : L"";
}

const wchar_t* MarkupNode::GetAttributeValue(int index) const {
    return index >= 0 && index < GetAttributeCount() ? TextAt(attributes_[index].value) : L"";
}

// The text between the name and the content reads: NUL, then per attribute optional white
// space, its name, a NUL, white space, a double quote, its value and a NUL. Every step stays
// before the content, whatever the content holds.
void MarkupNode::MapAttributes() const {
    attributeCount_ = 0;
    if (!IsValid()) return;
    const std::wstring& text = parser_->text_;
    const std::size_t end = parser_->elements_[element_].data;
    std::size_t p = parser_->elements_[element_].name;
    const auto skipWhitespace = [&] {
        while (p < end && text[p] >= 1 && text[p] <= 32) ++p;
    };
    const auto stepPastNul = [&] {
        while (p < end && text[p] != L'\0') ++p;
        return p++ < end;
    };
    if (!stepPastNul()) return;
    while (p < end && attributeCount_ < kMaxAttributes) {
        skipWhitespace();
        const std::size_t name = p;
        if (!stepPastNul()) return;
        skipWhitespace();
        if (p >= end || text[p] != L'"') return;
        const std::size_t value = ++p;
        if (!stepPastNul()) return;
        attributes_[attributeCount_++] = {static_cast<std::uint32_t>(name), static_cast<std::uint32_t>(value)};
    }
}

const wchar_t* MarkupNode::TextAt(std::uint32_t offset) const {
    const std::wstring& text = parser_->text_;
    return offset < text.size() ? text.c_str() + offset : L"";
}

MarkupNode MarkupNode::Related(std::uint32_t element) const {
    return MarkupNode(parser_, static_cast<int>(element));
}

}  // namespace ui
