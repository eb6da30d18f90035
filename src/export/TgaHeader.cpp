#include "export/TgaHeader.h"

#include <limits>
#include <string>

#include "common/PellitonError.h"

namespace pelliton {

namespace {

std::int16_t ToInt16(std::int32_t value, const char* field) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        throw PellitonError(std::string("overflow: ") + field + " " + std::to_string(value) +
                            " does not fit the TGA header's 16-bit field");
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

tga::FileHeader MakeTgaHeader(const TextureAttributes& attr) {
    tga::FileHeader header;
    header.ImageType = tga::kTrueColour;
    header.ImageWidth = ToInt16(attr.width, "Width");
    header.ImageHeight = ToInt16(attr.height, "Height");
    header.PixelDepth = tga::kDepthRgba;
    return header;
}

}  // namespace pelliton
