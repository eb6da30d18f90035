// Textures as pictures and PNG exports: the sample files and hand-made textures against the texels
// they store (DXT blocks as libsquish decodes them), the exported file read back by our decoder and
// by another program, and the refusals shared with the DDS and TGA export.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <squish.h>

#include "common/DdsFormat.h"
#include "common/PellitonError.h"
#include "export/TexturePicture.h"
#include "export/TreeTextureExport.h"
#include "picture/PictureFile.h"
#include "rsh/ChunkTree.h"
#include "rshwrite/RshWriter.h"
#include "support/AllocationWatch.h"
#include "support/ImageMagick.h"
#include "support/TempDir.h"
#include "support/PatternBytes.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::TempDir;

// An RSH file in memory, with its tree and textures.
struct TextureFile {
    explicit TextureFile(Bytes fileBytes)
        : bytes(std::move(fileBytes)), tree(ReadChunkTree(bytes)), textures(FindTextures(tree, bytes)) {}
    TextureFile(const TextureFile&) = delete;

    const TreeTexture& Texture() const { return textures.at(0); }

    Bytes bytes;
    MemorySource source{bytes};
    ChunkTree tree;
    std::vector<TreeTexture> textures;
};

Bytes MadeFile(std::int32_t imageType, std::int32_t width, std::int32_t height, const Bytes& texels,
               std::int32_t mipLevels = 1) {
    return WriteRshBytes(MakeTextureRecords(imageType, width, height, mipLevels, static_cast<std::int32_t>(texels.size())),
                         texels);
}

Bytes RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// Level 0 as the file stores it, turned into what the picture must be: uncompressed rows put top
// first, blocks decoded by libsquish.
Bytes ExpectedRgba(const TextureFile& file, const TreeTexture& texture) {
    const int width = texture.attributes.width, height = texture.attributes.height;
    const auto body = file.bytes.begin() + static_cast<std::ptrdiff_t>(texture.data->BodyOffset());
    const TextureFormat& format = *FindTextureFormat(texture.attributes.imageType);
    Bytes rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    if (format.layout == TexelLayout::Uncompressed) {
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
        for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
            const auto stored = body + static_cast<std::ptrdiff_t>((static_cast<std::size_t>(height) - 1 - y) * rowBytes);
            std::copy_n(stored, rowBytes, rgba.begin() + static_cast<std::ptrdiff_t>(y * rowBytes));
        }
        return rgba;
    }
    const std::uint32_t fourCC = dds::FourCC(format.fourCC);
    const Bytes level(body, body + static_cast<std::ptrdiff_t>(dds::LevelBytes(fourCC, width, height)));
    const int flags = fourCC == dds::kDxt1 ? squish::kDxt1 : fourCC == dds::kDxt3 ? squish::kDxt3 : squish::kDxt5;
    squish::DecompressImage(rgba.data(), width, height, level.data(), flags);
    return rgba;
}

void ExpectPictureOfTexels(const TextureFile& file, const TreeTexture& texture) {
    const RgbaPicture picture = TexturePicture(texture, file.source);
    ASSERT_EQ(picture.width, texture.attributes.width);
    ASSERT_EQ(picture.height, texture.attributes.height);
    EXPECT_EQ(testing::TexelBytes(picture), ExpectedRgba(file, texture));
}

TEST(TexturePicture, EverySampleTextureIsItsTexels) {
    int formatsSeen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PELLITON_SAMPLES_DIR)) {
        if (entry.path().extension() != ".rsh") continue;  // beside them, a team colour pattern and its badge
        const TextureFile file(testing::ReadFileBytes(entry.path()));
        for (const TreeTexture& texture : file.textures) {
            if (FindTextureFormat(texture.attributes.imageType) == nullptr) continue;
            SCOPED_TRACE(entry.path().filename().string() + ": " + texture.name);
            ExpectPictureOfTexels(file, texture);
            ++formatsSeen;
        }
    }
    EXPECT_GE(formatsSeen, 5);  // DXT1, DXT3 of both types, DXT5, uncompressed
}

// Blocks of random bytes take every mode of every format; sides that are no multiple of 4 cut
// the edge blocks.
TEST(TexturePicture, HandMadeTexturesOfAnySideAreTheirTexels) {
    const std::vector<std::pair<std::int32_t, std::pair<int, int>>> cases = {
        {kImageTypeDxt1, {5, 3}},  {kImageTypeDxt1, {16, 8}}, {kImageTypeDxt3, {1, 1}},
        {kImageTypeDxt3, {7, 9}},  {kImageTypeDxt5, {6, 13}}, {kImageTypeDxt5, {32, 32}},
        {kImageTypeUncompressed, {3, 2}}, {kImageTypeUncompressed, {1, 5}},
    };
    unsigned seed = 1;
    for (const auto& [imageType, sides] : cases) {
        const auto [width, height] = sides;
        SCOPED_TRACE("image type " + std::to_string(imageType) + ", " + std::to_string(width) + " x " +
                     std::to_string(height));
        const TextureFormat& format = *FindTextureFormat(imageType);
        const std::size_t bytes = format.layout == TexelLayout::Uncompressed
                                      ? static_cast<std::size_t>(width * height * 4)
                                      : dds::LevelBytes(dds::FourCC(format.fourCC), width, height);
        const TextureFile file(MadeFile(imageType, width, height, RandomBytes(bytes, seed++)));
        ExpectPictureOfTexels(file, file.Texture());
    }
}

// Uncompressed texels go into the picture as stored, bottom row first in the file.
TEST(TexturePicture, UncompressedRowsComeTopFirst) {
    const Bytes stored = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};  // 2 x 2, bottom row first
    const TextureFile file(MadeFile(kImageTypeUncompressed, 2, 2, stored));
    EXPECT_EQ(testing::TexelBytes(TexturePicture(file.Texture(), file.source)),
              (Bytes{9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 6, 7, 8}));
}

struct Refusal {
    std::string name;
    std::int32_t imageType;
    int width, height;
    Bytes texels;
    std::string reason;
};

std::vector<Refusal> Refusals() {
    return {
        {"no export", 3, 4, 4, Bytes(64), "image type 3 is an unknown texture format"},
        {"no DXT texels", kImageTypeDxt1, 4, 4, {}, "its DATADATA holds no texel data"},
        {"part of a texel", kImageTypeUncompressed, 1, 1, Bytes(6), "does not hold 2 whole texels"},
        {"first level cut short, DXT", kImageTypeDxt5, 8, 8, Bytes(63),
         "its DATADATA of 63 bytes ends before the 64 bytes of its 8 x 8 texels"},
        {"first level cut short, uncompressed", kImageTypeUncompressed, 3, 3, Bytes(32),
         "its DATADATA of 32 bytes does not hold the 3 x 3 texels of its first level"},
        {"no width", kImageTypeDxt1, 0, 4, Bytes(8), "its size 0 x 4 is outside 1 to 16384 texels a side"},
        {"negative height", kImageTypeUncompressed, 1, -1, Bytes(4), "its size 1 x 4294967295 is outside"},
        {"too wide", kImageTypeDxt1, 16385, 1, Bytes(8200), "its size 16385 x 1 is outside"},
    };
}

// What an action throws, for messages to be compared.
std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const PellitonError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TexturePicture, RefusesWhatCannotBeAPicture) {
    for (const Refusal& refusal : Refusals()) {
        SCOPED_TRACE(refusal.name);
        const TextureFile file(MadeFile(refusal.imageType, refusal.width, refusal.height, refusal.texels));
        const std::string message = Message([&] { TexturePicture(file.Texture(), file.source); });
        EXPECT_NE(message.find(refusal.reason), std::string::npos) << message;
    }
}

// A file that ends inside the texels is an error, not a read past its end.
TEST(TexturePicture, RefusesAFileThatEndsInsideTheTexels) {
    const TextureFile file(MadeFile(kImageTypeDxt1, 8, 8, RandomBytes(32, 7)));
    const MemorySource shortened(std::span(file.bytes).first(file.bytes.size() - 1));
    EXPECT_THROW(TexturePicture(file.Texture(), shortened), PellitonError);
}

struct LevelSides {
    int width, height;
};

int SquishFlags(std::int32_t imageType) {
    return imageType == kImageTypeDxt1 ? squish::kDxt1 : imageType == kImageTypeDxt5 ? squish::kDxt5 : squish::kDxt3;
}

// Each level's blocks are random bytes of their own, sized and decoded by libsquish: a level read
// from the wrong place, or at the wrong size, decodes to other texels.
TEST(TextureLevelPicture, LowerDxtLevelsFollowLevelZeroInTheDataChunk) {
    const std::vector<LevelSides> chain = {{13, 6}, {6, 3}, {3, 1}, {1, 1}};
    for (const std::int32_t imageType : {kImageTypeDxt1, kImageTypeDxt3, kImageTypeDxt3Game, kImageTypeDxt5}) {
        SCOPED_TRACE("image type " + std::to_string(imageType));
        std::vector<Bytes> levelBlocks;
        Bytes texels;
        for (const LevelSides& sides : chain) {
            const auto bytes = static_cast<std::size_t>(
                squish::GetStorageRequirements(sides.width, sides.height, SquishFlags(imageType)));
            levelBlocks.push_back(RandomBytes(bytes, static_cast<unsigned>(imageType * 10 + levelBlocks.size())));
            texels.insert(texels.end(), levelBlocks.back().begin(), levelBlocks.back().end());
        }
        const TextureFile file(MadeFile(imageType, 13, 6, texels, static_cast<std::int32_t>(chain.size())));
        for (std::size_t level = 0; level < chain.size(); ++level) {
            SCOPED_TRACE("level " + std::to_string(level));
            const auto [width, height] = chain[level];
            Bytes expected(static_cast<std::size_t>(width * height * 4));
            squish::DecompressImage(expected.data(), width, height, levelBlocks[level].data(), SquishFlags(imageType));
            const RgbaPicture picture = TextureLevelPicture(file.Texture(), file.source, static_cast<int>(level));
            ASSERT_EQ(picture.width, width);
            ASSERT_EQ(picture.height, height);
            EXPECT_EQ(testing::TexelBytes(picture), expected);
        }
    }
}

// Lower uncompressed levels are stored as level 0 is, bottom row first, one after another.
TEST(TextureLevelPicture, LowerUncompressedLevelsFollowLevelZeroBottomRowFirst) {
    const std::vector<LevelSides> chain = {{5, 3}, {2, 1}, {1, 1}};
    std::vector<Bytes> pictures;
    Bytes stored;
    for (const LevelSides& sides : chain) {
        pictures.push_back(
            testing::PatternBytes(static_cast<std::size_t>(sides.width * sides.height * 4), static_cast<std::uint8_t>(50 * pictures.size())));
        const auto rowBytes = static_cast<std::ptrdiff_t>(sides.width * 4);
        for (int row = sides.height - 1; row >= 0; --row) {
            stored.insert(stored.end(), pictures.back().begin() + row * rowBytes, pictures.back().begin() + (row + 1) * rowBytes);
        }
    }
    const TextureFile file(MadeFile(kImageTypeUncompressed, 5, 3, stored, 3));
    for (std::size_t level = 0; level < chain.size(); ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const RgbaPicture picture = TextureLevelPicture(file.Texture(), file.source, static_cast<int>(level));
        ASSERT_EQ(picture.width, chain[level].width);
        ASSERT_EQ(picture.height, chain[level].height);
        EXPECT_EQ(testing::TexelBytes(picture), pictures[level]);
    }
}

// Level 0 is read whatever the stored count, as the exports read it.
TEST(TextureLevelPicture, LevelZeroNeedsNoStoredLevelCount) {
    const Bytes stored = RandomBytes(2 * 2 * 4, 9);
    const TextureFile file(MadeFile(kImageTypeUncompressed, 2, 2, stored, 0));
    EXPECT_EQ(TextureLevelPicture(file.Texture(), file.source, 0).rgba, TexturePicture(file.Texture(), file.source).rgba);
    EXPECT_THROW(TextureLevelPicture(file.Texture(), file.source, 1), PellitonError);
}

struct LevelRefusal {
    std::string name;
    std::int32_t imageType;
    std::int32_t mipLevels;
    std::size_t dataBytes;
    int level;
    std::string reason;
};

// 8 x 8 textures: DXT1 levels of 32, 8, 8 and 8 bytes; uncompressed levels of 64, 16, 4 and 1 texels.
TEST(TextureLevelPicture, RefusesALevelTheTextureDoesNotHold) {
    const std::vector<LevelRefusal> refusals = {
        {"negative level", kImageTypeDxt1, 4, 56, -1, "it has no MIP level -1: its 8 x 8 texels have 4 MIP levels"},
        {"past the stored count", kImageTypeDxt1, 2, 56, 2, "it has no MIP level 2: its 8 x 8 texels have 2 MIP levels"},
        {"past the full chain", kImageTypeDxt1, 1000, 56, 4, "have 1000 MIP levels, of which 4 can exist"},
        {"absurd level", kImageTypeUncompressed, 0x7FFFFFFF, 85 * 4, 0x7FFFFFFE, "it has no MIP level 2147483646"},
        {"DXT level cut off", kImageTypeDxt1, 4, 40, 2,
         "its DATADATA of 40 bytes ends before the 8 bytes of its 2 x 2 texels of its MIP level 2"},
        {"DXT level cut short", kImageTypeDxt5, 4, 64 + 16 + 15, 2, "ends before the 16 bytes of its 2 x 2 texels"},
        {"uncompressed level cut off", kImageTypeUncompressed, 4, 84 * 4, 3,
         "its DATADATA of 336 bytes does not hold the 1 x 1 texels of its MIP level 3"},
        {"uncompressed level cut short", kImageTypeUncompressed, 3, 83 * 4, 2, "does not hold the 2 x 2 texels"},
    };
    for (const LevelRefusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        const TextureFile file(MadeFile(refusal.imageType, 8, 8, RandomBytes(refusal.dataBytes, 5), refusal.mipLevels));
        const std::string message = Message([&] { TextureLevelPicture(file.Texture(), file.source, refusal.level); });
        EXPECT_NE(message.find(refusal.reason), std::string::npos) << message;
    }
}

// Sides and a level count that the data chunk does not bear out are refused before any buffer is
// sized by them, and a lower level past the end of the file is an error, not a read past it.
TEST(TextureLevelPicture, HostileSidesAllocateNothingAndReadNothingPastTheFile) {
    const TextureFile file(MadeFile(kImageTypeDxt5, 16384, 16384, RandomBytes(16, 6), 15));
    const testing::AllocationWatch watch;
    for (const int level : {0, 1, 13, 14}) {
        EXPECT_THROW(TextureLevelPicture(file.Texture(), file.source, level), PellitonError) << "level " << level;
    }
    EXPECT_LT(watch.LargestRequest(), std::size_t{4096});

    const TextureFile chain(MadeFile(kImageTypeDxt1, 8, 8, RandomBytes(56, 8), 4));
    const MemorySource shortened(std::span(chain.bytes).first(chain.bytes.size() - 1));
    EXPECT_NO_THROW(TextureLevelPicture(chain.Texture(), shortened, 2));
    EXPECT_THROW(TextureLevelPicture(chain.Texture(), shortened, 3), PellitonError);
}

const ExportWriter kNoWriting = [](const std::filesystem::path&, const std::function<void(OutputFile&)>&) {
    ADD_FAILURE() << "written";
};

TEST(ExportTreeTextureAsPng, RefusesWhatTheDdsAndTgaExportRefuse) {
    for (const Refusal& refusal : Refusals()) {
        if (refusal.name.starts_with("first level") || refusal.width < 1 || refusal.width > 16384 || refusal.height < 1) {
            continue;  // the DDS and TGA export copy what there is
        }
        SCOPED_TRACE(refusal.name);
        const TextureFile file(MadeFile(refusal.imageType, refusal.width, refusal.height, refusal.texels));
        const std::string png = Message([&] { ExportTreeTextureAsPng(file.Texture(), file.source, ".", kNoWriting); });
        EXPECT_EQ(png, Message([&] { ExportTreeTexture(file.Texture(), file.source, ".", kNoWriting); }));
        EXPECT_NE(png.find(refusal.reason), std::string::npos) << png;
    }
    TreeTexture troubled;
    troubled.problem = "its DATAATTR is missing";
    EXPECT_EQ(Message([&] { ExportTreeTextureAsPng(troubled, MemorySource({}), ".", kNoWriting); }), troubled.problem);
}

TEST(ExportTreeTextureAsPng, RefusesANameNoFileMayTake) {
    const TextureFile file(MadeFile(kImageTypeDxt1, 4, 4, RandomBytes(8, 3)));
    TreeTexture texture = file.Texture();
    texture.name = "a:b";
    EXPECT_EQ(Message([&] { ExportTreeTextureAsPng(texture, file.source, ".", kNoWriting); }),
              "its name \"a:b\" holds a character no file name may hold");
}

// The file is named as the DDS and TGA exports are, and holds the picture with its alpha: as our
// decoder reads it, and as another program does.
TEST(ExportTreeTextureAsPng, WritesThePictureAsNamePng) {
    const std::vector<std::pair<std::int32_t, int>> cases = {
        {kImageTypeDxt1, 9}, {kImageTypeDxt3, 6}, {kImageTypeDxt5, 13}, {kImageTypeUncompressed, 5}};
    for (const auto& [imageType, side] : cases) {
        SCOPED_TRACE("image type " + std::to_string(imageType));
        const TextureFormat& format = *FindTextureFormat(imageType);
        const std::size_t bytes = format.layout == TexelLayout::Uncompressed
                                      ? static_cast<std::size_t>(side * side * 4)
                                      : dds::LevelBytes(dds::FourCC(format.fourCC), side, side);
        const TextureFile file(MadeFile(imageType, side, side, RandomBytes(bytes, 40 + static_cast<unsigned>(side))));
        TempDir dir;
        const std::filesystem::path written =
            ExportTreeTextureAsPng(file.Texture(), file.source, dir.path(), WriteFileAtomically);
        EXPECT_EQ(written.string(), (dir.path() / (file.Texture().name + ".PNG")).generic_string());
        const Bytes png = testing::ReadFileBytes(written);
        const RgbaPicture expected = TexturePicture(file.Texture(), file.source);
        const RgbaPicture decoded = DecodePng(MemorySource(png), "exported");
        EXPECT_EQ(decoded.width, side);
        EXPECT_EQ(decoded.height, side);
        EXPECT_EQ(decoded.rgba, expected.rgba);
#ifndef _WIN32
        EXPECT_EQ(testing::DecodeWithImageMagick(written, dir, "rgba"), testing::TexelBytes(expected));
#endif
    }
}

}  // namespace
}  // namespace pelliton
