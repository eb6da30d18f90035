// Short and hostile files: every one ends in a clear error, never in a crash, a huge allocation or a long loop.
#include <gtest/gtest.h>

#include <functional>

#include "common/PellitonError.h"
#include "rsh/RshReader.h"
#include "rshwrite/RshWriter.h"
#include "support/AllocationWatch.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::TempDir;

// Reads the file and returns the error's reason, or fails the test when it loads.
std::string ReadError(const std::string& path) {
    try {
        testing::ReadRecordsFile(path);
    } catch (const PellitonError& error) {
        return error.what();
    }
    ADD_FAILURE() << path << " loaded without an error";
    return {};
}

std::vector<std::uint8_t> ValidFile(std::int32_t imageType, std::int32_t dataSize) {
    RshRecords records = MakeTextureRecords(imageType, 4, 4, 1, dataSize);
    records.imageFolder.name = "nm";
    records.imageFolder.nameLength = 2;
    return WriteRshBytes(records, std::vector<std::uint8_t>(static_cast<std::size_t>(dataSize), 0x5A));
}

TEST(RshHostileInput, EveryTruncationPointIsAnErrorNamingWhereTheFileEnds) {
    TempDir dir;
    for (const auto imageType : {kImageTypeDxt1, kImageTypeUncompressed}) {
        const std::vector<std::uint8_t> whole = ValidFile(imageType, 16);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::string path =
                dir.Write("cut.rsh", std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
            const std::string reason = ReadError(path);
            EXPECT_NE(reason.find("the file ends at byte " + std::to_string(length)), std::string::npos)
                << "type " << imageType << ", length " << length << ": " << reason;
        }
    }
}

// A header is read in one piece, but a file that ends inside it names the first field it cuts off,
// as reading field by field would. Read from memory, as the fuzz target reads.
TEST(RshHostileInput, AFileEndingInsideAHeaderNamesTheFieldItCutsOff) {
    const std::vector<std::uint8_t> whole = ValidFile(kImageTypeDxt1, 16);
    const std::pair<std::size_t, std::string> cuts[] = {
        {0, "FileHeader.Signature needs 12 bytes at byte 0"},
        {13, "FileHeader.SignatureEnd needs 4 bytes at byte 12"},
        {23, "FileHeader.HeaderLong2 needs 4 bytes at byte 20"},
        {24, "NamedChunk1.ChunkType needs 4 bytes at byte 24"},
        {35, "NamedChunk1.ChunkLong1 needs 4 bytes at byte 32"},
        {43, "NamedChunk1.NameLength needs 4 bytes at byte 40"},
        {47, "NamedChunk1.ChunkName needs 6 bytes at byte 44"},
    };
    for (const auto& [length, field] : cuts) {
        RshRecords rsh;
        testing::RecordingView log;
        try {
            ReadRshRecords(MemorySource(std::span(whole).first(length)), rsh, log);
            ADD_FAILURE() << length << " bytes loaded without an error";
        } catch (const PellitonError& error) {
            EXPECT_EQ(error.what(), "the file ends at byte " + std::to_string(length) + ", but " + field);
        }
    }
}

struct HostileCase {
    const char* label;
    std::function<void(RshRecords&)> corrupt;
    const char* reasonPart;
    friend void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.label; }
};

class HostileSizes : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileSizes, FailBeforeAnyLargeAllocation) {
    const HostileCase& c = GetParam();
    RshRecords records = MakeTextureRecords(kImageTypeDxt5, 4, 4, 1, 16);
    c.corrupt(records);
    TempDir dir;
    const std::string path = dir.Write("hostile.rsh", WriteRshBytes(records, std::vector<std::uint8_t>(16, 1)));
    ASSERT_LT(std::filesystem::file_size(path), 300u);

    std::string reason;
    std::size_t largestRequest = 0;
    {
        const testing::AllocationWatch watch;
        reason = ReadError(path);
        largestRequest = watch.LargestRequest();
    }
    EXPECT_NE(reason.find(c.reasonPart), std::string::npos) << reason;
    EXPECT_LT(largestRequest, 65536u) << "a " << std::filesystem::file_size(path) << "-byte file";
}

INSTANTIATE_TEST_SUITE_P(
    RshHostileInput, HostileSizes,
    ::testing::Values(
        HostileCase{"HugeFirstName", [](RshRecords& r) { r.outerFolder.nameLength = INT32_MAX; },
                    "NamedChunk1.ChunkName needs 2147483647 bytes"},
        HostileCase{"HugeSecondName", [](RshRecords& r) { r.textureFolder.nameLength = 1'000'000'000; },
                    "NamedChunk2.ChunkName needs 1000000000 bytes"},
        HostileCase{"HugeHiddenName", [](RshRecords& r) { r.imageFolder.nameLength = 70'000; },
                    "NamedChunk3.ChunkName needs 70000 bytes"},
        HostileCase{"CompressedDataBeyondTheFile", [](RshRecords& r) { r.data.size = INT32_MAX; },
                    "needs 2147483647 bytes"},
        HostileCase{"CompressedDataOneByteShort", [](RshRecords& r) { r.data.size = 17; },
                    "needs 17 bytes"},
        HostileCase{"CompressedDataOfZeroBytes", [](RshRecords& r) { r.data.size = 0; },
                    "DataChunk.ChunkSize 0 leaves no room"},
        HostileCase{"CompressedDataOfNegativeSize", [](RshRecords& r) { r.data.size = -1; },
                    "DataChunk.ChunkSize -1 leaves no room"},
        HostileCase{"DXT1DataOfMostNegativeSize",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeDxt1;
                        r.data.size = INT32_MIN;
                    },
                    "leaves no room"},
        HostileCase{"DXT3DataOfZeroBytes",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeDxt3;
                        r.data.size = 0;
                    },
                    "leaves no room"},
        HostileCase{"UncompressedDataBeyondTheFile",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeUncompressed;
                        r.data.size = INT32_MAX;
                    },
                    "needs 2147483648 bytes"},
        HostileCase{"UncompressedRoundingPastTheFile",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeUncompressed;
                        r.data.size = 19;  // rounds to five texels; the file holds four
                    },
                    "the texel data (5 texels) needs 20 bytes"},
        HostileCase{"UncompressedWithoutAWholeTexel",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeUncompressed;
                        r.data.size = 2;
                    },
                    "DataChunk.ChunkSize 2 holds no whole texel"},
        HostileCase{"UncompressedOfNegativeSize",
                    [](RshRecords& r) {
                        r.attributes.imageType = kImageTypeUncompressed;
                        r.data.size = INT32_MIN;
                    },
                    "holds no whole texel"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RshHostileInput, PathsThatAreNoReadableFile) {
    TempDir dir;
    EXPECT_NE(ReadError((dir.path() / "missing.rsh").string()).find("cannot open"), std::string::npos);
    EXPECT_NE(ReadError(dir.path().string()).find("not a regular file"), std::string::npos);
}

}  // namespace
}  // namespace pelliton
