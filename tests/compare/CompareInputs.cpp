// Writes the RSH files on which the Windows builds of pelliton-extract and pelliton-rsh must behave
// exactly as the Linux build (scripts/compare-windows-build): every image type the tool knows in
// several shapes, a file shaped like the game's, unknown types, and hostile and truncated files.
// Usage: compare-inputs OUTDIR
#include <climits>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "common/DdsFormat.h"
#include "common/Utf8Path.h"
#include "rshwrite/ChunkTreeWriter.h"
#include "rshwrite/RshWriter.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The same bytes on every run, so that a difference found once can be looked at again.
Bytes PseudoRandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// Bytes of texel data for the shape: every MIP level of a DXT texture, four per texel otherwise.
std::size_t TexelDataBytes(std::int32_t imageType, int width, int height, int mipLevels) {
    const TextureFormat* format = FindTextureFormat(imageType);
    if (format == nullptr) return 0;
    if (format->layout == TexelLayout::Uncompressed) return static_cast<std::size_t>(width * height * 4);
    return dds::MipChainBytes(dds::FourCC(format->fourCC), width, height, mipLevels);
}

// A well-formed file whose records may then be changed; data follows the data chunk's header.
Bytes Texture(std::int32_t imageType, int width, int height, int mipLevels,
              const std::function<void(RshRecords&)>& change = {}, std::size_t dataBytes = SIZE_MAX) {
    if (dataBytes == SIZE_MAX) dataBytes = TexelDataBytes(imageType, width, height, mipLevels);
    RshRecords records = MakeTextureRecords(imageType, width, height, mipLevels, static_cast<std::int32_t>(dataBytes));
    if (change) change(records);
    const auto seed = static_cast<unsigned>(imageType * 100003 + width * 101 + height);
    return WriteRshBytes(records, PseudoRandomBytes(dataBytes, seed));
}

// Textures of every kind in one tree, as the game keeps a model's diffuse, specular and reflection
// maps: pelliton-rsh extracts them all and puts pictures back into all of them in one run.
Bytes GameShapedFile() {
    const std::string folder = "art/ebps/tank/";
    std::vector<ChunkSpec> textures;
    const auto add = [&](const std::string& name, std::int32_t imageType, int width, int height, int mipLevels) {
        const std::size_t bytes = TexelDataBytes(imageType, width, height, mipLevels);
        const auto seed = static_cast<unsigned>(textures.size() + 1);
        textures.push_back(
            GameTextureFolder(folder + name, imageType, width, height, mipLevels, PseudoRandomBytes(bytes, seed)));
    };
    add("tank", kImageTypeDxt1, 64, 64, 7);
    add("tank_spec", kImageTypeDxt5, 32, 16, 6);
    add("_reflection_tank", kImageTypeDxt3Game, 16, 16, 5);
    add("tank_old", kImageTypeDxt3, 8, 8, 1);
    add("tank_sky", kImageTypeUncompressed, 12, 6, 1);
    return GameTextureFile(folder + "tank", std::move(textures));
}

Bytes Cut(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

struct InputFile {
    std::string name;  // UTF-8
    Bytes bytes;
};

std::vector<InputFile> InputFiles() {
    const Bytes dxt1 = Texture(kImageTypeDxt1, 16, 16, 1);
    const Bytes uncompressed = Texture(kImageTypeUncompressed, 8, 8, 1);
    return {
        // Every image type the tool knows, with and without MIP chains, in odd and in large shapes.
        {"dxt1-64x64-mips7.rsh", Texture(kImageTypeDxt1, 64, 64, 7)},
        {"dxt1-6x5-mips3.rsh", Texture(kImageTypeDxt1, 6, 5, 3)},
        {"dxt1-1024x512.rsh", Texture(kImageTypeDxt1, 1024, 512, 1)},
        {"dxt3-type4-32x16.rsh", Texture(kImageTypeDxt3, 32, 16, 1)},
        {"dxt3-type10-128x8-mips8.rsh", Texture(kImageTypeDxt3Game, 128, 8, 8)},
        {"dxt5-128x64.rsh", Texture(kImageTypeDxt5, 128, 64, 1)},
        {"dxt5-3x2.rsh", Texture(kImageTypeDxt5, 3, 2, 1)},
        {"dxt5-16x256-mips2.rsh", Texture(kImageTypeDxt5, 16, 256, 2)},
        {"uncompressed-32x32.rsh", Texture(kImageTypeUncompressed, 32, 32, 1)},
        {"uncompressed-300x200.rsh", Texture(kImageTypeUncompressed, 300, 200, 1)},
        {"uncompressed-5x3.rsh", Texture(kImageTypeUncompressed, 5, 3, 1)},
        {"uncompressed-1x1.rsh", Texture(kImageTypeUncompressed, 1, 1, 1)},
        {"uncompressed-odd-data-size.rsh", Texture(kImageTypeUncompressed, 4, 4, 1, {}, 4 * 16 - 2)},
        {"\xC3\xA9t\xC3\xA9 wall.rsh", dxt1},
        {"game-tank.rsh", GameShapedFile()},
        // Image types the tool does not know: logged, nothing exported.
        {"unknown-type3.rsh", Texture(3, 32, 32, 1)},
        {"unknown-type0.rsh", Texture(0, 8, 8, 1, {}, 64)},
        {"unknown-type-negative.rsh", Texture(-1, 8, 8, 1, {}, 64)},
        {"unknown-type99.rsh", Texture(99, 8, 8, 1, {}, 0)},
        // Hostile records.
        {"hostile-signature.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.fileHeader.signature = "Relic Chunkz"; })},
        {"hostile-name-length-huge.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.outerFolder.nameLength = INT32_MAX; })},
        {"hostile-name-length-negative.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.textureFolder.nameLength = -5; })},
        {"hostile-latin1-names.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) {
             r.outerFolder.name = std::string("m\xE9ta\0l\xFF", 7);
             r.outerFolder.nameLength = 7;
         })},
        {"hostile-data-size-huge.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.data.size = INT32_MAX; })},
        {"hostile-data-size-negative.rsh", Texture(kImageTypeDxt5, 4, 4, 1, [](RshRecords& r) { r.data.size = -1; })},
        {"hostile-data-size-zero.rsh", Texture(kImageTypeDxt3, 4, 4, 1, [](RshRecords& r) { r.data.size = 0; })},
        {"hostile-uncompressed-size-huge.rsh",
         Texture(kImageTypeUncompressed, 4, 4, 1, [](RshRecords& r) { r.data.size = INT32_MAX; })},
        {"hostile-width-negative.rsh", Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.attributes.width = -4; })},
        {"hostile-height-zero.rsh", Texture(kImageTypeUncompressed, 4, 4, 1, [](RshRecords& r) { r.attributes.height = 0; })},
        {"hostile-65536-square.rsh",
         Texture(kImageTypeDxt1, 4, 4, 1, [](RshRecords& r) { r.attributes.width = r.attributes.height = 65536; })},
        {"hostile-tga-too-wide.rsh", Texture(kImageTypeUncompressed, 4, 4, 1, [](RshRecords& r) { r.attributes.width = 40000; })},
        {"hostile-mips-zero.rsh", Texture(kImageTypeDxt1, 8, 8, 1, [](RshRecords& r) { r.attributes.mipLevels = 0; })},
        {"hostile-mips-100.rsh", Texture(kImageTypeDxt1, 8, 8, 1, [](RshRecords& r) { r.attributes.mipLevels = 100; })},
        {"hostile-size-claims-more.rsh",
         Texture(kImageTypeDxt1, 64, 64, 1, {}, TexelDataBytes(kImageTypeDxt1, 8, 8, 1))},
        {"trailing-bytes.rsh", [&] {
             Bytes bytes = dxt1;
             bytes.insert(bytes.end(), 100, 0xEE);
             return bytes;
         }()},
        // Truncated: nothing at all, inside the file header, the records and the texel data.
        {"truncated-empty.rsh", {}},
        {"truncated-signature.rsh", Cut(dxt1, 5)},
        {"truncated-header.rsh", Cut(dxt1, 30)},
        {"truncated-attr-chunk.rsh", Cut(dxt1, 160)},
        {"truncated-dxt1-data.rsh", Cut(dxt1, dxt1.size() - 3)},
        {"truncated-uncompressed-data.rsh", Cut(uncompressed, uncompressed.size() - 1)},
        // Two sources of one export name, for a run with both: the second is refused.
        {"a/hull.rsh", Texture(kImageTypeDxt1, 8, 8, 1)},
        {"b/hull.rsh", Texture(kImageTypeDxt1, 16, 8, 1)},
    };
}

}  // namespace
}  // namespace pelliton

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: compare-inputs OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        for (const pelliton::InputFile& file : pelliton::InputFiles()) {
            const auto path = folder / pelliton::PathFromUtf8(file.name);
            std::filesystem::create_directories(path.parent_path());
            pelliton::WriteFileBytes(pelliton::PathToUtf8(path), file.bytes);
        }
    } catch (const std::exception& error) {
        std::cerr << "compare-inputs: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
