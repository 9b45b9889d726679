#pragma once

#include <array>
#include <optional>
#include <string_view>

// The launcher's languages, indexed by the settings' language index. Each code names the
// skin's lang\<code>.ini and is what the channel configuration and telemetry carry.
inline constexpr std::array<std::string_view, 18> LanguageCodes = {
    "en", "zh_CN", "ja", "ko", "zh_TW", "vi", "fr", "id", "it",
    "es", "tr", "th", "pt_BR", "ar", "ru", "de", "pl", "ms",
};

// Index for index with LanguageCodes: the language file key of each language's own name.
// The misspelt keys are the ones the language files use.
inline constexpr std::array<std::string_view, 18> LanguageNameKeys = {
    "STRING_LANG_ENGLAND",    "STRING_LANG_CHINA",      "STRING_LANG_JAPANESE",
    "STRING_LANG_KOREAN",     "STRING_LANG_TAIWAN",     "STRING_LANG_VIETNAMESE",
    "STRING_LANG_FRENCH",     "STRING_LANG_INDONESIAN", "STRING_LANG_ITALIAN",
    "STRING_LANG_SPAISH",     "STRING_LANG_TURKIC",     "STRING_LANG_THAI",
    "STRING_LANG_PORTGUESE",  "STRING_LANG_ARABIC",     "STRING_LANG_RUSSIAN",
    "STRING_LANG_GERMAN",     "STRING_LANG_POLISH",     "STRING_LANG_MALAY",
};

// The code of a settings language index; an index outside the table means "en".
std::string_view LanguageCodeAt(int index);

// The index of the first code equal to code (exact, case-sensitive), if any.
std::optional<int> FindLanguageIndex(std::string_view code);

// One of the TrueType fonts carried as "FONTS" resources of the launcher's module.
struct EmbeddedFont {
    const wchar_t* faceName;           // the name the system finds the embedded face by
    const wchar_t* registryValueName;  // the installed-fonts value, kept from earlier releases
    const wchar_t* fileName;
    int resourceId;
};

// Thai regular and bold, then the CJK regular and bold faces (indices 2 and 3). The CJK
// resource ids run the other way round: regular is 143, bold 142. The CJK files embedded are
// font collections; their simplified-Chinese faces are the ones named here.
inline constexpr std::array<EmbeddedFont, 4> EmbeddedFonts = {{
    {L"Loma", L"Loma (TrueType)", L"LomaN.ttf", 138},
    {L"Loma Bold", L"Loma Bold (TrueType)", L"LomaB.ttf", 139},
    {L"Noto Sans CJK SC", L"\u601D\u6E90\u9ED1\u4F53 CN Regular (TrueType)", L"SourceHanSansCNRegular.ttf", 143},
    {L"Noto Sans CJK SC Bold", L"\u601D\u6E90\u9ED1\u4F53 CN Bold (TrueType)", L"SourceHanSansCNBold.ttf", 142},
}};

inline constexpr int kCjkRegularFontIndex = 2;
inline constexpr int kCjkBoldFontIndex = 3;
