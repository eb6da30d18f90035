#include "export/TreeTextureExport.h"

#include <string>
#include <string_view>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/DdsHeader.h"
#include "export/TgaHeader.h"
#include "rsh/RshLoader.h"
#include "rsh/TexelOrder.h"

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

std::filesystem::path Target(const std::filesystem::path& folder, const std::string& name, std::string_view extension) {
    CheckFileName(name);
    return folder / PathFromUtf8(name + std::string(extension));
}

std::filesystem::path ExportDds(const TreeTexture& texture, const TextureFormat& format, const ByteSource& file,
                                const std::filesystem::path& folder, const ExportWriter& write) {
    if (texture.data->size == 0) throw PellitonError("its DATADATA holds no texel data");
    const dds::FileHeader header = MakeDdsHeader(format, texture.attributes, texture.data->size);
    const auto target = Target(folder, texture.name, ".DDS");
    write(target, [&](OutputFile& out) {
        out.Write(std::as_bytes(std::span(&header, 1)));
        out.Write(ChunkBodyRange(file, *texture.data));
    });
    return target;
}

// The window reads a quarter of the data chunk's size, rounded half to even, in whole texels.
std::filesystem::path ExportTga(const TreeTexture& texture, const ByteSource& file, const std::filesystem::path& folder,
                                const ExportWriter& write) {
    const std::int64_t count = UncompressedTexelCount(texture.data->size);
    if (count < 1 || count * 4 > texture.data->size) {
        throw PellitonError("its DATADATA of " + std::to_string(texture.data->size) + " bytes does not hold " +
                            std::to_string(count) + " whole texels");
    }
    const tga::FileHeader header = MakeTgaHeader(texture.attributes);
    const auto target = Target(folder, texture.name, ".TGA");
    RshPixelArray pixels(static_cast<std::size_t>(count));
    file.ReadAt(texture.data->BodyOffset(),
                std::span(reinterpret_cast<std::uint8_t*>(pixels.data()), pixels.size() * sizeof(RshPixel)));
    const auto pixelBytes = std::as_writable_bytes(std::span(pixels));
    SwapFirstAndThirdBytes(pixelBytes);
    WriteExport(write, target, std::as_bytes(std::span(&header, 1)), pixelBytes);
    return target;
}

}  // namespace

std::filesystem::path ExportTreeTexture(const TreeTexture& texture, const ByteSource& file,
                                        const std::filesystem::path& folder, const ExportWriter& write) {
    if (!texture.problem.empty()) throw PellitonError(texture.problem);
    const TextureFormat* format = FindTextureFormat(texture.attributes.ImageType);
    if (format == nullptr) {
        throw PellitonError("image type " + std::to_string(texture.attributes.ImageType) +
                            " is an unknown texture format");
    }
    if (format->layout == TexelLayout::BlockCompressed) return ExportDds(texture, *format, file, folder, write);
    return ExportTga(texture, file, folder, write);
}

}  // namespace pelliton
