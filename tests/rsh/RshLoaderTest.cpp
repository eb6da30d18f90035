// The reader against files built field by field: what lands in each record, and the log it writes.
#include <gtest/gtest.h>

#include <numeric>

#include "common/PellitonError.h"
#include "rsh/Latin1.h"
#include "rsh/RshLoader.h"
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

Loaded Load(const modRSH& records, const std::vector<std::uint8_t>& data) {
    TempDir dir;
    return testing::ReadRecordsFile(dir.Write("t.rsh", WriteRshBytes(records, data)));
}

TEST(RshLoader, DXT5TextureGivesTheWholeLogLineForLine) {
    const modRSH records = MakeTextureRecords(kImageTypeDxt5, 256, 256, 1, 65536);
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

TEST(RshLoader, FillsEveryFieldInFileOrder) {
    modRSH records = MakeTextureRecords(kImageTypeDxt1, 64, 32, 3, 16);
    records.FileHeader.Signature = "ABCDEFGHIJKL";
    records.FileHeader.SignatureEnd = "wxyz";
    records.FileHeader.HeaderLong1 = -7;
    records.FileHeader.HeaderLong2 = 0x7FFFFFFF;
    records.NamedChunk1.ChunkLong1 = 11;
    records.NamedChunk2.ChunkId = "N2ID";
    records.HeadChunk.NameLength = 99;  // kept, but no name bytes follow a head chunk
    records.HeadChunk.HeadValue1 = -1;
    records.HeadChunk.HeadValue2 = 123456;
    records.NamedChunk3.ChunkName = "hidden";
    records.NamedChunk3.NameLength = 6;
    records.AttrChunk.NameLength = -4;
    records.DataChunk.ChunkLong1 = 77;
    records.DataChunk.NameLength = 5;
    const Loaded loaded = Load(records, Pattern(16));
    const modRSH& rsh = loaded.rsh;

    EXPECT_EQ(rsh.FileHeader.Signature, "ABCDEFGHIJKL");
    EXPECT_EQ(rsh.FileHeader.SignatureEnd, "wxyz");
    EXPECT_EQ(rsh.FileHeader.HeaderLong1, -7);
    EXPECT_EQ(rsh.FileHeader.HeaderLong2, 0x7FFFFFFF);
    EXPECT_EQ(rsh.NamedChunk1.ChunkLong1, 11);
    EXPECT_EQ(rsh.NamedChunk1.ChunkName, "sample");
    EXPECT_EQ(rsh.NamedChunk2.ChunkId, "N2ID");
    EXPECT_EQ(rsh.HeadChunk.ChunkType, "DATA");
    EXPECT_EQ(rsh.HeadChunk.NameLength, 99);
    EXPECT_EQ(rsh.HeadChunk.HeadValue1, -1);
    EXPECT_EQ(rsh.HeadChunk.HeadValue2, 123456);
    EXPECT_EQ(rsh.NamedChunk3.ChunkName, "hidden");
    EXPECT_EQ(rsh.AttrChunk.NameLength, -4);
    EXPECT_EQ(rsh.AttrChunk.ImageType, kImageTypeDxt1);
    EXPECT_EQ(rsh.AttrChunk.Width, 64);
    EXPECT_EQ(rsh.AttrChunk.Height, 32);
    EXPECT_EQ(rsh.AttrChunk.MipLevels, 3);
    EXPECT_EQ(rsh.DataChunk.ChunkLong1, 77);
    EXPECT_EQ(rsh.DataChunk.NameLength, 5);
    EXPECT_EQ(ByteVector(rsh.TexelBytes), Pattern(16));

    // Negative numbers are logged with their sign; the hidden name never shows.
    EXPECT_EQ(loaded.log[0], "ABCDEFGHIJKL");
    EXPECT_EQ(loaded.log[1], "-7");
    EXPECT_EQ(loaded.log[2], "2147483647");
    EXPECT_EQ(std::count(loaded.log.begin(), loaded.log.end(), "hidden"), 0);
}

TEST(RshLoader, TextsKeepEveryByteOneCharacterEach) {
    modRSH records = MakeTextureRecords(kImageTypeDxt3, 4, 4, 1, 16);
    records.FileHeader.Signature = std::string("Sig\0\xE9xxxxxxx", 12);
    records.NamedChunk1.ChunkType = std::string("F\0LD", 4);
    const Loaded loaded = Load(records, Pattern(16));

    EXPECT_EQ(loaded.rsh.FileHeader.Signature, std::string("Sig\0\xE9xxxxxxx", 12));
    EXPECT_EQ(loaded.rsh.NamedChunk1.ChunkType, std::string("F\0LD", 4));
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
    modRSH records = MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8);
    records.NamedChunk1.ChunkName = c.bytes;
    records.NamedChunk1.NameLength = c.nameLength;
    const Loaded loaded = Load(records, Pattern(8));

    EXPECT_EQ(loaded.rsh.NamedChunk1.ChunkName, c.expected);
    EXPECT_EQ(loaded.rsh.NamedChunk1.NameLength, c.nameLength);
    EXPECT_EQ(loaded.log[6], Latin1ToUtf8(c.expected));
    // Had the name consumed more or fewer bytes, everything after it would be shifted.
    EXPECT_EQ(loaded.rsh.NamedChunk2.ChunkId, "TXTR");
    EXPECT_EQ(loaded.rsh.AttrChunk.Width, 4);
    EXPECT_EQ(ByteVector(loaded.rsh.TexelBytes), Pattern(8));
}

INSTANTIATE_TEST_SUITE_P(
    RshLoader, ChunkNames,
    ::testing::Values(NameCase{"TrailingZeros", std::string("ab\0\0", 4), 4, "ab"},
                      NameCase{"InnerZeros", std::string("\0a\0b", 4), 4, "ab"},
                      NameCase{"AllZeros", std::string("\0\0\0", 3), 3, ""},
                      NameCase{"HighBytesKept", "\x80\xFF", 2, "\x80\xFF"},
                      NameCase{"ZeroLength", "", 0, ""},
                      NameCase{"NegativeLength", "", -5, ""},
                      NameCase{"MostNegativeLength", "", INT32_MIN, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RshLoader, ALongHiddenNameOnlyMovesTheRestOfTheFile) {
    modRSH records = MakeTextureRecords(kImageTypeDxt5, 8, 8, 1, 64);
    records.NamedChunk3.ChunkName = std::string(1000, 'n');
    records.NamedChunk3.NameLength = 1000;
    const Loaded loaded = Load(records, Pattern(64));
    EXPECT_EQ(loaded.rsh.AttrChunk.ImageType, kImageTypeDxt5);
    EXPECT_EQ(ByteVector(loaded.rsh.TexelBytes), Pattern(64));
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
    modRSH records = MakeTextureRecords(kImageTypeUncompressed, 1, 1, 1, chunkSize);
    const Loaded loaded = Load(records, Pattern(static_cast<std::size_t>(4 * texels)));
    EXPECT_EQ(loaded.rsh.TexelPixels.size(), static_cast<std::size_t>(texels));
}

INSTANTIATE_TEST_SUITE_P(RshLoader, UncompressedTexels,
                         ::testing::Values(TexelCountCase{6, 2}, TexelCountCase{10, 2}, TexelCountCase{14, 4},
                                           TexelCountCase{3, 1}, TexelCountCase{4, 1}, TexelCountCase{1024, 256},
                                           TexelCountCase{1026, 256}, TexelCountCase{1030, 258}));

TEST(RshLoader, UncompressedTexelsSwapTheirFirstAndThirdByte) {
    modRSH records = MakeTextureRecords(kImageTypeUncompressed, 2, 1, 1, 8);
    const Loaded loaded = Load(records, {10, 20, 30, 40, 1, 2, 3, 4});
    ASSERT_EQ(loaded.rsh.TexelPixels.size(), 2u);
    const RshPixel& first = loaded.rsh.TexelPixels[0];
    EXPECT_EQ(first.Red, 10);
    EXPECT_EQ(first.Green, 20);
    EXPECT_EQ(first.Blue, 30);
    EXPECT_EQ(first.Alpha, 40);
    const RshPixel& second = loaded.rsh.TexelPixels[1];
    EXPECT_EQ((std::array{second.Blue, second.Green, second.Red, second.Alpha}), (std::array<std::uint8_t, 4>{3, 2, 1, 4}));
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

    modRSH rsh;
    RecordingView log;
    for (const auto& path : {earlier, pixels}) {
        RshInputFile file(path);
        ReadRshRecords(file, rsh, log);
    }
    log.lines.clear();
    RshInputFile file(unsupported);
    ReadRshRecords(file, rsh, log);

    EXPECT_EQ(file.remaining(), 0);
    EXPECT_EQ(rsh.AttrChunk.ImageType, GetParam());
    EXPECT_EQ(ByteVector(rsh.TexelBytes), Pattern(8));
    ASSERT_EQ(rsh.TexelPixels.size(), 1u);
    EXPECT_EQ(rsh.TexelPixels[0].Red, 9);
    EXPECT_EQ(log.lines.size(), 32u);
    EXPECT_EQ(log.lines.back(), "0");
    EXPECT_EQ(log.lines[30], "1048576");
}

INSTANTIATE_TEST_SUITE_P(RshLoader, UnsupportedTypes, ::testing::Values(0, 2, 3, 9, 12, -1));

class BlockCompressedTypes : public ::testing::TestWithParam<std::int32_t> {};

// The game's own DXT3 files say 10; they read exactly as type 4 does.
TEST_P(BlockCompressedTypes, ReadTheWholeDataChunkIntoTexelBytes) {
    const Loaded loaded = Load(MakeTextureRecords(GetParam(), 128, 8, 8, 1552), Pattern(1552));
    EXPECT_EQ(ByteVector(loaded.rsh.TexelBytes), Pattern(1552));
    EXPECT_EQ(loaded.log[23], "Image Type: " + std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(RshLoader, BlockCompressedTypes,
                         ::testing::Values(kImageTypeDxt1, kImageTypeDxt3, kImageTypeDxt3Game, kImageTypeDxt5));

}  // namespace
}  // namespace pelliton
