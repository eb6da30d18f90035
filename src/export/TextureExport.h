// The file an export makes of a texture: the header of its format, then its texels unchanged. DDS
// for block-compressed formats, a 32-bit TGA for uncompressed ones; the window and pelliton-rsh
// extract both write through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <variant>

#include "common/ByteSource.h"
#include "common/DdsFormat.h"
#include "common/TgaFormat.h"
#include "export/ExportWriter.h"
#include "rsh/RshRecords.h"
#include "rsh/TextureFormats.h"

namespace pelliton {

class ExportHeader {
public:
    // dataSize is the data chunk's size. Throws PellitonError when a field of the header
    // overflows, before anything is named or written.
    ExportHeader(const TextureFormat& format, const TextureAttributes& attributes, std::int32_t dataSize);

    std::string_view Extension() const;  // ".DDS" or ".TGA"
    std::span<const std::byte> Bytes() const;

private:
    std::variant<dds::FileHeader, tga::FileHeader> header_;
};

// Uncompressed texels in memory order, blue, green, red, alpha: what a TGA reader expects.
inline ByteRange PixelsInMemory(const RshPixelArray& pixels) {
    return ByteRange::InMemory({reinterpret_cast<const std::uint8_t*>(pixels.data()), pixels.size() * sizeof(RshPixel)});
}

// Writes the header and then the texels (in memory, or a range of the source file that the kernel
// copies) to target through write. Throws PellitonError; target is then as it was.
void WriteTextureFile(const ExportWriter& write, const std::filesystem::path& target, const ExportHeader& header,
                      const ByteRange& texels);

}  // namespace pelliton
