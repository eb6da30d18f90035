// Short and hostile files: every one ends in a clear error, never in a crash, a huge allocation or a long loop.
#include <gtest/gtest.h>

#include <functional>

#include "common/PellitonError.h"
#include "rshwrite/RshWriter.h"
#include "support/AllocationWatch.h"
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
    modRSH records = MakeTextureRecords(imageType, 4, 4, 1, dataSize);
    records.NamedChunk3.ChunkName = "nm";
    records.NamedChunk3.NameLength = 2;
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

struct HostileCase {
    const char* label;
    std::function<void(modRSH&)> corrupt;
    const char* reasonPart;
    friend void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.label; }
};

class HostileSizes : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileSizes, FailBeforeAnyLargeAllocation) {
    const HostileCase& c = GetParam();
    modRSH records = MakeTextureRecords(kImageTypeDxt5, 4, 4, 1, 16);
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
        HostileCase{"HugeFirstName", [](modRSH& r) { r.NamedChunk1.NameLength = INT32_MAX; },
                    "NamedChunk1.ChunkName needs 2147483647 bytes"},
        HostileCase{"HugeSecondName", [](modRSH& r) { r.NamedChunk2.NameLength = 1'000'000'000; },
                    "NamedChunk2.ChunkName needs 1000000000 bytes"},
        HostileCase{"HugeHiddenName", [](modRSH& r) { r.NamedChunk3.NameLength = 70'000; },
                    "NamedChunk3.ChunkName needs 70000 bytes"},
        HostileCase{"CompressedDataBeyondTheFile", [](modRSH& r) { r.DataChunk.ChunkSize = INT32_MAX; },
                    "needs 2147483647 bytes"},
        HostileCase{"CompressedDataOneByteShort", [](modRSH& r) { r.DataChunk.ChunkSize = 17; },
                    "needs 17 bytes"},
        HostileCase{"CompressedDataOfZeroBytes", [](modRSH& r) { r.DataChunk.ChunkSize = 0; },
                    "DataChunk.ChunkSize 0 leaves no room"},
        HostileCase{"CompressedDataOfNegativeSize", [](modRSH& r) { r.DataChunk.ChunkSize = -1; },
                    "DataChunk.ChunkSize -1 leaves no room"},
        HostileCase{"DXT1DataOfMostNegativeSize",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeDxt1;
                        r.DataChunk.ChunkSize = INT32_MIN;
                    },
                    "leaves no room"},
        HostileCase{"DXT3DataOfZeroBytes",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeDxt3;
                        r.DataChunk.ChunkSize = 0;
                    },
                    "leaves no room"},
        HostileCase{"UncompressedDataBeyondTheFile",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeUncompressed;
                        r.DataChunk.ChunkSize = INT32_MAX;
                    },
                    "needs 2147483648 bytes"},
        HostileCase{"UncompressedRoundingPastTheFile",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeUncompressed;
                        r.DataChunk.ChunkSize = 19;  // rounds to five texels; the file holds four
                    },
                    "the texel data (5 texels) needs 20 bytes"},
        HostileCase{"UncompressedWithoutAWholeTexel",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeUncompressed;
                        r.DataChunk.ChunkSize = 2;
                    },
                    "DataChunk.ChunkSize 2 holds no whole texel"},
        HostileCase{"UncompressedOfNegativeSize",
                    [](modRSH& r) {
                        r.AttrChunk.ImageType = kImageTypeUncompressed;
                        r.DataChunk.ChunkSize = INT32_MIN;
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
