#include "export/TgaHeader.h"

#include <limits>
#include <string>

#include "common/LittleEndianWriter.h"
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

TgaFileHeader MakeTgaHeader(const RshAttrChunk& attr) {
    TgaFileHeader header;
    header.ImageType = kTgaTrueColour;
    header.ImageWidth = ToInt16(attr.Width, "Width");
    header.ImageHeight = ToInt16(attr.Height, "Height");
    header.PixelDepth = kTgaPixelDepth;
    return header;
}

std::array<std::uint8_t, kTgaHeaderBytes> EncodeTgaHeader(const TgaFileHeader& header) {
    std::array<std::uint8_t, kTgaHeaderBytes> bytes{};
    LittleEndianWriter out(bytes);
    out.UInt8(header.IdLength);
    out.UInt8(header.ColourMapType);
    out.UInt8(header.ImageType);
    out.Int16(header.ColourMapFirstEntry);
    out.Int16(header.ColourMapLength);
    out.UInt8(header.ColourMapEntrySize);
    out.Int16(header.XOrigin);
    out.Int16(header.YOrigin);
    out.Int16(header.ImageWidth);
    out.Int16(header.ImageHeight);
    out.UInt8(header.PixelDepth);
    out.UInt8(header.ImageDescriptor);
    out.ExpectFull();
    return bytes;
}

}  // namespace pelliton
