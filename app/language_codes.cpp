#include "app/language_codes.h"

std::string_view LanguageCodeAt(int index) {
    if (index < 0 || index >= static_cast<int>(LanguageCodes.size())) {
        return LanguageCodes[0];
    }
    return LanguageCodes[static_cast<std::size_t>(index)];
}

std::optional<int> FindLanguageIndex(std::string_view code) {
    for (std::size_t i = 0; i < LanguageCodes.size(); ++i) {
        if (LanguageCodes[i] == code) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}
