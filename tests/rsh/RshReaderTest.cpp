// The reader against files built field by field: what lands in each record, and the log it writes.
#include <gtest/gtest.h>

#include <numeric>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "rsh/Latin1.h"
#include "rsh/RshReader.h"
#include "rsh/TexelReading.h"
#include "rshwrite/RshWriter.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::RecordingView;
using testing::ByteVector;
using testing::TempDir;

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
    return bytes;
}

using Loaded = testing::ReadRecords;

Loaded Load(const RshRecords& records, const std::vector<std::uint8_t>& data) {
    TempDir dir;
    return testing::ReadRecordsFile(dir.Write("t.rsh", WriteRshBytes(records, data)));
}

TEST(RshReader, DXT5TextureGivesTheWholeLogLineForLine) {
    const RshRecords records = MakeTextureRecords(kImageTypeDxt5, 256, 256, 1, 65536);
    const Loaded loaded = Load(records, Pattern(65536));
    const std::vector<std::string> expected = {
        "Relic Chunky", "1", "1",                         // file header
        "FOLD", "SHRF", "65666", "sample",                // first named chunk
        "FOLD", "TXTR", "65640", "sample",                // second named chunk
        "DATA", "HEAD", "1", "8", "0", "0", "1",          // head chunk, all seven fields
        "DATA", "ATTR", "1", "16", "0",                   // attribute chunk header
        "Image Type: 11", "Width: 256", "Height: 256", "MIP Levels: 1",
        "DATA", "DATA", "1", "65536", "0",                // data chunk header
    };
    EXPECT_EQ(loaded.log, expected);
    EXPECT_EQ(loaded.log.size(), 32u);
}

TEST(RshReader, FillsEveryFieldInFileOrder) {
    RshRecords records = MakeTextureRecords(kImageTypeDxt1, 64, 32, 3, 16);
    records.fileHeader.signature = "ABCDEFGHIJKL";
    records.fileHeader.signatureEnd = "wxyz";
    records.fileHeader.version = -7;
    records.fileHeader.platform = 0x7FFFFFFF;
    records.outerFolder.version = 11;
    records.textureFolder.id = "N2ID";
    records.head.nameLength = 99;  // kept, but no name bytes follow a head chunk
    records.head.formatCode = -1;
    records.head.secondValue = 123456;
    records.imageFolder.name = "hidden";
    records.imageFolder.nameLength = 6;
    records.attributes.nameLength = -4;
    records.data.version = 77;
    records.data.nameLength = 5;
    const Loaded loaded = Load(records, Pattern(16));
    const RshRecords& rsh = loaded.rsh;

    EXPECT_EQ(rsh.fileHeader.signature, "ABCDEFGHIJKL");
    EXPECT_EQ(rsh.fileHeader.signatureEnd, "wxyz");
    EXPECT_EQ(rsh.fileHeader.version, -7);
    EXPECT_EQ(rsh.fileHeader.platform, 0x7FFFFFFF);
    EXPECT_EQ(rsh.outerFolder.version, 11);
    EXPECT_EQ(rsh.outerFolder.name, "sample");
    EXPECT_EQ(rsh.textureFolder.id, "N2ID");
    EXPECT_EQ(rsh.head.type, "DATA");
    EXPECT_EQ(rsh.head.nameLength, 99);
    EXPECT_EQ(rsh.head.formatCode, -1);
    EXPECT_EQ(rsh.head.secondValue, 123456);
    EXPECT_EQ(rsh.imageFolder.name, "hidden");
    EXPECT_EQ(rsh.attributes.nameLength, -4);
    EXPECT_EQ(rsh.attributes.imageType, kImageTypeDxt1);
    EXPECT_EQ(rsh.attributes.width, 64);
    EXPECT_EQ(rsh.attributes.height, 32);
    EXPECT_EQ(rsh.attributes.mipLevels, 3);
    EXPECT_EQ(rsh.data.version, 77);
    EXPECT_EQ(rsh.data.nameLength, 5);
    EXPECT_EQ(ByteVector(rsh.blockTexels), Pattern(16));

    // Negative numbers are logged with their sign; the hidden name never shows.
    EXPECT_EQ(loaded.log[0], "ABCDEFGHIJKL");
    EXPECT_EQ(loaded.log[1], "-7");
    EXPECT_EQ(loaded.log[2], "2147483647");
    EXPECT_EQ(std::count(loaded.log.begin(), loaded.log.end(), "hidden"), 0);
}

TEST(RshReader, TextsKeepEveryByteOneCharacterEach) {
    RshRecords records = MakeTextureRecords(kImageTypeDxt3, 4, 4, 1, 16);
    records.fileHeader.signature = std::string("Sig\0\xE9xxxxxxx", 12);
    records.outerFolder.type = std::string("F\0LD", 4);
    const Loaded loaded = Load(records, Pattern(16));

    EXPECT_EQ(loaded.rsh.fileHeader.signature, std::string("Sig\0\xE9xxxxxxx", 12));
    EXPECT_EQ(loaded.rsh.outerFolder.type, std::string("F\0LD", 4));
    // The log carries UTF-8: the byte 0xE9 is the character U+00E9, zeros stay.
    EXPECT_EQ(loaded.log[0], std::string("Sig\0\xC3\xA9xxxxxxx", 13));
    EXPECT_EQ(loaded.log[3], std::string("F\0LD", 4));
}

struct NameCase {
    const char* label;
    std::string bytes;       // what the file holds after the header
    std::int32_t nameLength;
    std::string expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }
};

class ChunkNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ChunkNames, ZeroBytesAreDroppedAndOnlyNameLengthBytesAreConsumed) {
    const NameCase& c = GetParam();
    RshRecords records = MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8);
    records.outerFolder.name = c.bytes;
    records.outerFolder.nameLength = c.nameLength;
    const Loaded loaded = Load(records, Pattern(8));

    EXPECT_EQ(loaded.rsh.outerFolder.name, c.expected);
    EXPECT_EQ(loaded.rsh.outerFolder.nameLength, c.nameLength);
    EXPECT_EQ(loaded.log[6], Latin1ToUtf8(c.expected));
    // Had the name consumed more or fewer bytes, everything after it would be shifted.
    EXPECT_EQ(loaded.rsh.textureFolder.id, "TXTR");
    EXPECT_EQ(loaded.rsh.attributes.width, 4);
    EXPECT_EQ(ByteVector(loaded.rsh.blockTexels), Pattern(8));
}

INSTANTIATE_TEST_SUITE_P(
    RshReader, ChunkNames,
    ::testing::Values(NameCase{"TrailingZeros", std::string("ab\0\0", 4), 4, "ab"},
                      NameCase{"InnerZeros", std::string("\0a\0b", 4), 4, "ab"},
                      NameCase{"AllZeros", std::string("\0\0\0", 3), 3, ""},
                      NameCase{"HighBytesKept", "\x80\xFF", 2, "\x80\xFF"},
                      NameCase{"ZeroLength", "", 0, ""},
                      NameCase{"NegativeLength", "", -5, ""},
                      NameCase{"MostNegativeLength", "", INT32_MIN, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RshReader, ALongHiddenNameOnlyMovesTheRestOfTheFile) {
    RshRecords records = MakeTextureRecords(kImageTypeDxt5, 8, 8, 1, 64);
    records.imageFolder.name = std::string(1000, 'n');
    records.imageFolder.nameLength = 1000;
    const Loaded loaded = Load(records, Pattern(64));
    EXPECT_EQ(loaded.rsh.attributes.imageType, kImageTypeDxt5);
    EXPECT_EQ(ByteVector(loaded.rsh.blockTexels), Pattern(64));
    EXPECT_EQ(loaded.log.size(), 32u);
}

struct TexelCountCase {
    std::int32_t chunkSize;
    std::int64_t texels;
    friend void PrintTo(const TexelCountCase& c, std::ostream* os) { *os << "ChunkSize " << c.chunkSize; }
};

class UncompressedTexels : public ::testing::TestWithParam<TexelCountCase> {};

TEST_P(UncompressedTexels, CountIsAQuarterRoundedHalfToEven) {
    const auto [chunkSize, texels] = GetParam();
    EXPECT_EQ(UncompressedTexelCount(chunkSize), texels);

    // The file holds exactly the bytes that are read, so a wrong count either misses or overruns.
    RshRecords records = MakeTextureRecords(kImageTypeUncompressed, 1, 1, 1, chunkSize);
    const Loaded loaded = Load(records, Pattern(static_cast<std::size_t>(4 * texels)));
    EXPECT_EQ(loaded.rsh.pixels.size(), static_cast<std::size_t>(texels));
}

INSTANTIATE_TEST_SUITE_P(RshReader, UncompressedTexels,
                         ::testing::Values(TexelCountCase{6, 2}, TexelCountCase{10, 2}, TexelCountCase{14, 4},
                                           TexelCountCase{3, 1}, TexelCountCase{4, 1}, TexelCountCase{1024, 256},
                                           TexelCountCase{1026, 256}, TexelCountCase{1030, 258}));

TEST(RshReader, UncompressedTexelsSwapTheirFirstAndThirdByte) {
    RshRecords records = MakeTextureRecords(kImageTypeUncompressed, 2, 1, 1, 8);
    const Loaded loaded = Load(records, {10, 20, 30, 40, 1, 2, 3, 4});
    ASSERT_EQ(loaded.rsh.pixels.size(), 2u);
    const RshPixel& first = loaded.rsh.pixels[0];
    EXPECT_EQ(first.red, 10);
    EXPECT_EQ(first.green, 20);
    EXPECT_EQ(first.blue, 30);
    EXPECT_EQ(first.alpha, 40);
    const RshPixel& second = loaded.rsh.pixels[1];
    EXPECT_EQ((std::array{second.blue, second.green, second.red, second.alpha}), (std::array<std::uint8_t, 4>{3, 2, 1, 4}));
}

class UnsupportedTypes : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(UnsupportedTypes, ReadNoTexelDataAndLeaveBothArraysAlone) {
    TempDir dir;
    const std::string earlier =
        dir.Write("earlier.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8), Pattern(8)));
    const std::string pixels = dir.Write(
        "pixels.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeUncompressed, 1, 1, 1, 4), std::vector<std::uint8_t>(4, 9)));
    // The data chunk claims a megabyte the file does not hold: reading it would fail.
    const std::string unsupported =
        dir.Write("unsupported.rsh", WriteRshBytes(MakeTextureRecords(GetParam(), 4, 4, 1, 1 << 20), {}));

    RshRecords rsh;
    RecordingView log;
    for (const auto& path : {earlier, pixels}) ReadRshRecords(FileSource(path), rsh, log);
    log.lines.clear();
    const FileSource file(unsupported);

    EXPECT_EQ(ReadRshRecords(file, rsh, log), file.Size());
    EXPECT_EQ(rsh.attributes.imageType, GetParam());
    EXPECT_EQ(ByteVector(rsh.blockTexels), Pattern(8));
    ASSERT_EQ(rsh.pixels.size(), 1u);
    EXPECT_EQ(rsh.pixels[0].red, 9);
    EXPECT_EQ(log.lines.size(), 32u);
    EXPECT_EQ(log.lines.back(), "0");
    EXPECT_EQ(log.lines[30], "1048576");
}

INSTANTIATE_TEST_SUITE_P(RshReader, UnsupportedTypes, ::testing::Values(0, 2, 3, 9, 12, -1));

class BlockCompressedTypes : public ::testing::TestWithParam<std::int32_t> {};

// The game's own DXT3 files say 10; they read exactly as type 4 does.
TEST_P(BlockCompressedTypes, ReadTheWholeDataChunkIntoTheBlockTexels) {
    const Loaded loaded = Load(MakeTextureRecords(GetParam(), 128, 8, 8, 1552), Pattern(1552));
    EXPECT_EQ(ByteVector(loaded.rsh.blockTexels), Pattern(1552));
    EXPECT_EQ(loaded.log[23], "Image Type: " + std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(RshReader, BlockCompressedTypes,
                         ::testing::Values(kImageTypeDxt1, kImageTypeDxt3, kImageTypeDxt3Game, kImageTypeDxt5));

}  // namespace
}  // namespace pelliton
