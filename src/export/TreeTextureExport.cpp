#include "export/TreeTextureExport.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/TextureExport.h"
#include "export/TexturePicture.h"
#include "picture/PngEncoder.h"
#include "rsh/TexelReading.h"

namespace pelliton {

namespace {

// Names come from the file: one that Windows could not create, or would read as a device or a
// stream (":"), is refused on every platform, so that a file exports the same everywhere.
void CheckFileName(const std::string& name) {
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
            throw PellitonError("its name \"" + name + "\" holds a character no file name may hold");
        }
    }
}

// Spelled with "/" on every platform, so that what the programs print of it reads the same.
std::filesystem::path ExportTarget(const TreeTexture& texture, const std::filesystem::path& folder,
                                   std::string_view extension) {
    CheckFileName(texture.name);
    return (folder / PathFromUtf8(texture.name + std::string(extension))).generic_u8string();
}

}  // namespace

const TextureFormat& ExportedFormat(const TreeTexture& texture) {
    if (!texture.problem.empty()) throw PellitonError(texture.problem);
    const TextureFormat* format = FindTextureFormat(texture.attributes.imageType);
    if (format == nullptr) {
        throw PellitonError("image type " + std::to_string(texture.attributes.imageType) +
                            " is an unknown texture format");
    }
    if (format->layout == TexelLayout::BlockCompressed) {
        if (texture.data->size == 0) throw PellitonError("its DATADATA holds no texel data");
        return *format;
    }
    // The window reads a quarter of the data chunk's size, rounded half to even, in whole texels.
    const std::int64_t count = UncompressedTexelCount(texture.data->size);
    if (count < 1 || count * 4 > texture.data->size) {
        throw PellitonError("its DATADATA of " + std::to_string(texture.data->size) + " bytes does not hold " +
                            std::to_string(count) + " whole texels");
    }
    return *format;
}

std::filesystem::path ExportTreeTexture(const TreeTexture& texture, const ByteSource& file,
                                        const std::filesystem::path& folder, const ExportWriter& write) {
    const TextureFormat& format = ExportedFormat(texture);
    const bool blocks = format.layout == TexelLayout::BlockCompressed;
    const ExportHeader header(format, texture.attributes, texture.data->size);
    const std::filesystem::path target = ExportTarget(texture, folder, header.Extension());
    if (blocks) {
        // The texels pass from the source file to the export unread.
        WriteTextureFile(write, target, header, ChunkBodyRange(file, *texture.data));
        return target;
    }
    RshPixelArray pixels(static_cast<std::size_t>(UncompressedTexelCount(texture.data->size)));
    FieldReader body(file, texture.data->BodyOffset());
    ReadPixels(body, pixels);
    WriteTextureFile(write, target, header, PixelsInMemory(pixels));
    return target;
}

std::filesystem::path ExportTreeTextureAsPng(const TreeTexture& texture, const ByteSource& file,
                                             const std::filesystem::path& folder, const ExportWriter& write) {
    TexturePictureRows rows(texture, file);
    const std::filesystem::path target = ExportTarget(texture, folder, ".PNG");
    write(target, [&rows](OutputFile& out) {
        EncodePng({rows.Width(), rows.Height(), PngChannels::kRgba},
                  [&rows](int y, std::span<std::uint8_t> row) { rows.ReadRow(y, row); },
                  [&out](std::span<const std::uint8_t> bytes) { out.Write(std::as_bytes(bytes)); });
    });
    return target;
}

}  // namespace pelliton
