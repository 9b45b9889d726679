#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the stand-in takes from a page's HTML (it lays nothing out): the title and the background
// colour of the body.
struct PageDocument {
    std::wstring title;                      // the <title>, entities decoded, blanks collapsed
    std::optional<std::uint32_t> background; // 0xRRGGBB from the body's bgcolor or style background
};

// Reads the title and body colour of html (UTF-8); missing parts stay empty.
PageDocument ParsePageDocument(std::string_view html);
