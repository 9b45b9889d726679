#include "ui/render/text_pieces.h"

#include <algorithm>
#include <iterator>

#include "base/string_conversions.h"
#include "base/string_util.h"

namespace ui {
namespace {

// --- UTF-8 sequences ---------------------------------------------------------------------

std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    if ((lead & 0xFC) == 0xF8) return 5;
    if ((lead & 0xFE) == 0xFC) return 6;
    return 1;
}

// The last two bytes of U+0E31, U+0E33..U+0E3A or U+0E47..U+0E4E.
bool IsThaiMarkTail(unsigned char first, unsigned char second) {
    if (first == 0xB8) return second == 0xB1 || (second >= 0xB3 && second <= 0xBA);
    if (first == 0xB9) return second >= 0x87 && second <= 0x8E;
    return false;
}

// A Thai consonant (three bytes at start) followed by a three-byte mark.
bool StartsThaiPair(std::string_view bytes) {
    if (bytes.size() < 6) return false;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    return (byte(3) & 0xF0) == 0xE0 && IsThaiMarkTail(byte(4), byte(5));
}

// --- Arabic joining ----------------------------------------------------------------------

struct ArabicLetter {
    wchar_t letter, isolated, initial, medial, final;
};

// Presentation Forms-B of U+0621..U+063A and U+0640..U+064A; 0 where the letter has no such form.
constexpr ArabicLetter kArabicLetters[] = {
    {0x0621, 0xFE80, 0x0000, 0x0000, 0x0000}, {0x0622, 0xFE81, 0x0000, 0x0000, 0xFE82},
    {0x0623, 0xFE83, 0x0000, 0x0000, 0xFE84}, {0x0624, 0xFE85, 0x0000, 0x0000, 0xFE86},
    {0x0625, 0xFE87, 0x0000, 0x0000, 0xFE88}, {0x0626, 0xFE89, 0xFE8B, 0xFE8C, 0xFE8A},
    {0x0627, 0xFE8D, 0x0000, 0x0000, 0xFE8E}, {0x0628, 0xFE8F, 0xFE91, 0xFE92, 0xFE90},
    {0x0629, 0xFE93, 0x0000, 0x0000, 0xFE94}, {0x062A, 0xFE95, 0xFE97, 0xFE98, 0xFE96},
    {0x062B, 0xFE99, 0xFE9B, 0xFE9C, 0xFE9A}, {0x062C, 0xFE9D, 0xFE9F, 0xFEA0, 0xFE9E},
    {0x062D, 0xFEA1, 0xFEA3, 0xFEA4, 0xFEA2}, {0x062E, 0xFEA5, 0xFEA7, 0xFEA8, 0xFEA6},
    {0x062F, 0xFEA9, 0x0000, 0x0000, 0xFEAA}, {0x0630, 0xFEAB, 0x0000, 0x0000, 0xFEAC},
    {0x0631, 0xFEAD, 0x0000, 0x0000, 0xFEAE}, {0x0632, 0xFEAF, 0x0000, 0x0000, 0xFEB0},
    {0x0633, 0xFEB1, 0xFEB3, 0xFEB4, 0xFEB2}, {0x0634, 0xFEB5, 0xFEB7, 0xFEB8, 0xFEB6},
    {0x0635, 0xFEB9, 0xFEBB, 0xFEBC, 0xFEBA}, {0x0636, 0xFEBD, 0xFEBF, 0xFEC0, 0xFEBE},
    {0x0637, 0xFEC1, 0xFEC3, 0xFEC4, 0xFEC2}, {0x0638, 0xFEC5, 0xFEC7, 0xFEC8, 0xFEC6},
    {0x0639, 0xFEC9, 0xFECB, 0xFECC, 0xFECA}, {0x063A, 0xFECD, 0xFECF, 0xFED0, 0xFECE},
    {0x0640, 0x0640, 0x0000, 0x0000, 0x0000}, {0x0641, 0xFED1, 0xFED3, 0xFED4, 0xFED2},
    {0x0642, 0xFED5, 0xFED7, 0xFED8, 0xFED6}, {0x0643, 0xFED9, 0xFEDB, 0xFEDC, 0xFEDA},
    {0x0644, 0xFEDD, 0xFEDF, 0xFEE0, 0xFEDE}, {0x0645, 0xFEE1, 0xFEE3, 0xFEE4, 0xFEE2},
    {0x0646, 0xFEE5, 0xFEE7, 0xFEE8, 0xFEE6}, {0x0647, 0xFEE9, 0xFEEB, 0xFEEC, 0xFEEA},
    {0x0648, 0xFEED, 0x0000, 0x0000, 0xFEEE}, {0x0649, 0xFEEF, 0x0000, 0x0000, 0xFEF0},
    {0x064A, 0xFEF1, 0xFEF3, 0xFEF4, 0xFEF2},
};

constexpr wchar_t kTatweel = 0x0640;

const ArabicLetter* FindLetter(wchar_t c) {
    const auto it = std::find_if(std::begin(kArabicLetters), std::end(kArabicLetters),
                                 [c](const ArabicLetter& entry) { return entry.letter == c; });
    return it == std::end(kArabicLetters) ? nullptr : it;
}

// Combining marks, skipped when looking for the letters on either side.
bool IsTransparentMark(wchar_t c) {
    struct Range {
        wchar_t first, last;
    };
    constexpr Range kMarks[] = {{0x0610, 0x0610}, {0x0612, 0x0615}, {0x064B, 0x0658}, {0x0670, 0x0670},
                                {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}};
    return std::any_of(std::begin(kMarks), std::end(kMarks),
                       [c](const Range& range) { return c >= range.first && c <= range.last; });
}

bool JoinsForward(const ArabicLetter* letter) { return letter && (letter->initial || letter->medial); }

bool JoinsBackward(const ArabicLetter* letter) {
    return letter && (letter->medial || letter->final || letter->letter == kTatweel);
}

// --- Lines -------------------------------------------------------------------------------

bool CutUtf8Line(const std::wstring& line, std::list<std::wstring>& pieces) {
    std::string utf8;
    if (!kbase::WideToUtf8(line, utf8)) return false;
    for (const std::string& sequence : CutUtf8Sequences(utf8)) {
        std::wstring piece;
        kbase::CodePageToWide(sequence, piece, CP_UTF8);
        pieces.push_back(std::move(piece));
    }
    return true;
}

}  // namespace

std::vector<std::string> CutUtf8Sequences(std::string_view utf8) {
    std::vector<std::string> sequences;
    while (!utf8.empty()) {
        std::size_t length = SequenceLength(static_cast<unsigned char>(utf8.front()));
        if (length > utf8.size()) break;
        if (length == 3 && StartsThaiPair(utf8)) length = 6;
        sequences.emplace_back(utf8.substr(0, length));
        utf8.remove_prefix(length);
    }
    return sequences;
}

bool ContainsArabic(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](wchar_t c) { return (c >= 0x0600 && c <= 0x06FF) || (c >= 0x0750 && c <= 0x077F); });
}

std::vector<std::wstring> CutArabicLine(std::wstring_view line) {
    std::vector<std::wstring> pieces;
    // The last character of the line that was not a mark, and whether its piece is still open
    // to a letter that joins it. A lam-alef pair closes its piece, as an alef joins nothing after it.
    const ArabicLetter* previous = nullptr;
    for (const wchar_t c : line) {
        if (IsTransparentMark(c) && !pieces.empty()) {
            pieces.back() += c;
            continue;
        }
        const ArabicLetter* letter = FindLetter(c);
        if (letter && JoinsForward(previous) && JoinsBackward(letter)) {
            pieces.back() += c;
        } else {
            pieces.emplace_back(1, c);
        }
        previous = letter;
    }
    return pieces;
}

bool CutTextIntoLines(const std::wstring& text, TextLines& lines) {
    const bool arabic = ContainsArabic(text);
    for (const std::wstring& line : kbase::SplitByDelimiters(text, L"\n")) {
        std::list<std::wstring> pieces;
        if (arabic) {
            const auto logical = CutArabicLine(line);
            pieces.assign(logical.rbegin(), logical.rend());
        } else if (!CutUtf8Line(line, pieces)) {
            return false;
        }
        lines.push_back(std::move(pieces));
    }
    return true;
}

}  // namespace ui
