// Decodes the picture files a modder edits: TGA (uncompressed or run-length, true colour of 24 or
// 32 bits or grey of 8 or 16, any origin) and PNG (any of its colour types, through a packaged decoder).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "picture/RgbaPicture.h"

namespace pelliton {

struct TgaPicture {
    RgbaPicture picture;
    // What an uncompressed file stores after its pixels, as stored: the lower MIP levels of an
    // uncompressed texture, in the files we export. Empty for a run-length file.
    std::span<const std::uint8_t> trailingBytes;
};

// Each throws PellitonError naming the file (name) and what is wrong with it, before allocating
// more than the file's size can justify; nothing is read outside file.
TgaPicture DecodeTga(std::span<const std::uint8_t> file, std::string_view name);
RgbaPicture DecodePng(std::span<const std::uint8_t> file, std::string_view name);

}  // namespace pelliton
