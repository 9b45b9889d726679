#pragma once

#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Cutting of a text into the pieces that spaced text lays out one by one: a piece is one
// character or a group that must stay together (a Thai consonant with its mark, Arabic letters
// joined to each other). No drawing here.

using TextLines = std::list<std::list<std::wstring>>;

// The sequences of one UTF-8 line, their length read from the lead byte; a three-byte sequence
// followed by a Thai mark (U+0E31, U+0E33..U+0E3A, U+0E47..U+0E4E) is one piece with it. A
// sequence cut short by the end of the line is dropped.
std::vector<std::string> CutUtf8Sequences(std::string_view utf8);

// Whether the text holds a character of the Arabic blocks (U+0600..U+06FF, U+0750..U+077F).
bool ContainsArabic(std::wstring_view text);

// One Arabic line in reading order: letters that join each other stay in one piece, combining
// marks stay with the piece before them, every other character is a piece of its own.
std::vector<std::wstring> CutArabicLine(std::wstring_view line);

// Splits the text at "\n" (empty lines dropped) and cuts every line; Arabic lines are held in
// drawing order, their pieces reversed. False when a line cannot be converted to UTF-8; the
// lines cut before it stay in lines.
bool CutTextIntoLines(const std::wstring& text, TextLines& lines);

}  // namespace ui
