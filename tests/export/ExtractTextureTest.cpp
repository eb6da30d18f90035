// The exporter as a whole: what it logs, the file it writes, and what it leaves when it cannot.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/DdsHeader.h"
#include "export/ExtractTexture.h"
#include "rshwrite/RshWriter.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::RecordingView;
using testing::TempDir;

const std::vector<std::string> kOpening = {"", "Extract File", "============"};

std::vector<std::string> Opening(std::initializer_list<std::string> more) {
    std::vector<std::string> lines = kOpening;
    lines.insert(lines.end(), more);
    return lines;
}

// Loads RSH bytes as the open road does, so that the texel arrays are sized by the loader.
RshRecords LoadRecords(const TempDir& dir, const RshRecords& records, const std::vector<std::uint8_t>& data) {
    return testing::ReadRecordsFile(dir.Write("source.rsh", WriteRshBytes(records, data))).rsh;
}

std::vector<std::uint8_t> Iota(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

// One 4 x 4 block of a block-compressed texture, without a file.
RshRecords Compressed(std::int32_t imageType, std::int32_t dataSize) {
    return testing::BlockTextureRecords(imageType, 4, 4,
                                        std::vector<std::uint8_t>(static_cast<std::size_t>(dataSize), 1));
}

struct Exporter {
    TempDir out;
    ExportState state;
    RecordingView log;

    void Run(const RshRecords& rsh, std::string_view source) { ExtractTexture(rsh, source, out.path(), state, log); }
    std::vector<std::uint8_t> File(const std::string& name) const {
        return ReadFileBytes(out.path() / PathFromUtf8(name));
    }
    bool Empty() const { return std::filesystem::is_empty(out.path()); }
};

TEST(ExtractTexture, DdsFileIsTheHeaderThenTheTexelBytesUnchanged) {
    const std::pair<std::int32_t, std::string> formats[] = {{kImageTypeDxt1, "DXT1 DDS File"},
                                                             {kImageTypeDxt3, "DXT3 DDS File"},
                                                             {kImageTypeDxt3Game, "DXT3 DDS File"},
                                                             {kImageTypeDxt5, "DXT5 DDS File"}};
    for (const auto& [imageType, formatLine] : formats) {
        SCOPED_TRACE(imageType);
        TempDir in;
        const RshRecords rsh = LoadRecords(in, MakeTextureRecords(imageType, 8, 8, 2, 300), Iota(300));
        Exporter exporter;
        exporter.Run(rsh, "C:\\tex\\wall.rsh");

        EXPECT_EQ(exporter.log.lines, Opening({formatLine, "Extracting to: wall.DDS"}));
        EXPECT_EQ(exporter.state.exportPath, "wall.DDS");
        const auto file = exporter.File("wall.DDS");
        ASSERT_EQ(file.size(), 128u + 300u);
        EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 128, file.end()), Iota(300));
        const dds::FileHeader header = MakeDdsHeader(*FindTextureFormat(imageType), rsh.attributes, 300);
        EXPECT_EQ(std::memcmp(&header, file.data(), 128), 0);
    }
}

TEST(ExtractTexture, TgaFileOfSixteenBySixteenTexels) {
    TempDir in;
    std::vector<std::uint8_t> data = Iota(1024);
    data[0] = 10, data[1] = 20, data[2] = 30, data[3] = 40;
    const RshRecords rsh = LoadRecords(in, MakeTextureRecords(kImageTypeUncompressed, 16, 16, 1, 1024), data);
    Exporter exporter;
    exporter.Run(rsh, "C:\\tex\\sky.rsh");

    EXPECT_EQ(exporter.log.lines, Opening({"Extracting to: sky.TGA"}));  // no format line for this type
    const auto file = exporter.File("sky.TGA");
    ASSERT_EQ(file.size(), 1042u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 18),
              (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 18, file.begin() + 22), (std::vector<std::uint8_t>{30, 20, 10, 40}));
    // Every texel swaps its first and third byte; rows stay in stored order.
    for (std::size_t i = 4; i < 1024; i += 4) {
        ASSERT_EQ(file[18 + i], data[i + 2]) << i;
        ASSERT_EQ(file[18 + i + 1], data[i + 1]) << i;
        ASSERT_EQ(file[18 + i + 2], data[i]) << i;
        ASSERT_EQ(file[18 + i + 3], data[i + 3]) << i;
    }
}

TEST(ExtractTexture, TgaHoldsTheTexelsTheChunkSizeRoundsTo) {
    for (const auto& [chunkSize, texels] : {std::pair{6, 2}, {10, 2}, {14, 4}}) {
        TempDir in;
        const RshRecords rsh = LoadRecords(in, MakeTextureRecords(kImageTypeUncompressed, 2, 1, 1, chunkSize),
                                       Iota(static_cast<std::size_t>(4 * texels)));
        Exporter exporter;
        exporter.Run(rsh, "tiny.rsh");
        EXPECT_EQ(exporter.File("tiny.TGA").size(), 18u + 4u * static_cast<std::size_t>(texels)) << chunkSize;
    }
}

TEST(ExtractTexture, UnknownTypesWriteNothingAndKeepTheExportPath) {
    for (const auto imageType : {3, 0, 2}) {
        RshRecords rsh;
        rsh.attributes.imageType = imageType;
        Exporter exporter;
        exporter.Run(rsh, "wall.rsh");
        EXPECT_EQ(exporter.log.lines, Opening({"Unknown texture format"}));
        EXPECT_EQ(exporter.state.exportPath, "");
        exporter.state.exportPath = "earlier.DDS";
        exporter.Run(rsh, "wall.rsh");
        EXPECT_EQ(exporter.state.exportPath, "earlier.DDS");
        EXPECT_TRUE(exporter.Empty());
    }
}

struct StopCase {
    const char* label;
    std::int32_t imageType;
    std::int32_t width;
    std::int32_t height;
    const char* source;
    const char* lastLine;
    friend void PrintTo(const StopCase& c, std::ostream* os) { *os << c.label; }
};

class ExportStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(ExportStops, BeforeNamingTheOutputKeepTheExportPathAndWriteNothing) {
    const StopCase& c = GetParam();
    const RshRecords rsh = testing::BlockTextureRecords(c.imageType, c.width, c.height, std::vector<std::uint8_t>(16, 1));
    Exporter exporter;
    exporter.state.exportPath = "earlier.DDS";

    EXPECT_THROW(exporter.Run(rsh, c.source), PellitonError);
    EXPECT_EQ(exporter.log.lines.back(), c.lastLine);
    EXPECT_EQ(exporter.state.exportPath, "earlier.DDS");
    EXPECT_TRUE(exporter.Empty());
}

INSTANTIATE_TEST_SUITE_P(
    ExtractTexture, ExportStops,
    ::testing::Values(StopCase{"Dxt5SizeOverflow", kImageTypeDxt5, 65536, 65536, "wall.rsh", "DXT5 DDS File"},
                      StopCase{"TgaWidth32768", kImageTypeUncompressed, 32768, 4, "wall.rsh", "============"},
                      StopCase{"TgaHeightTooSmall", kImageTypeUncompressed, 4, -40000, "wall.rsh", "============"},
                      StopCase{"DdsNameTooShort", kImageTypeDxt1, 4, 4, "C:\\tex\\abc", "DXT1 DDS File"},
                      StopCase{"TgaNameTooShort", kImageTypeUncompressed, 4, 4, "/tex/abc", "============"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ExtractTexture, AFailedWriteNamesTheOutputAndLeavesWhatWasThere) {
    const RshRecords rsh = Compressed(kImageTypeDxt1, 8);
    Exporter exporter;
    std::filesystem::create_directory(exporter.out.path() / "wall.DDS");  // a name that cannot become a file

    EXPECT_THROW(exporter.Run(rsh, "C:\\tex\\wall.rsh"), PellitonError);
    EXPECT_EQ(exporter.log.lines.back(), "Extracting to: wall.DDS");
    EXPECT_EQ(exporter.state.exportPath, "wall.DDS");
    EXPECT_TRUE(std::filesystem::is_directory(exporter.out.path() / "wall.DDS"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(exporter.out.path()), {}), 1);
}

TEST(ExtractTexture, ReExportingReplacesALongerFileWhole) {
    const RshRecords rsh = Compressed(kImageTypeDxt3, 16);
    Exporter exporter;
    exporter.out.Write("wall.DDS", std::vector<std::uint8_t>(4096, 0xEE));

    exporter.Run(rsh, "wall.rsh");
    EXPECT_EQ(exporter.File("wall.DDS").size(), 144u);
}

TEST(ExtractTexture, NonAsciiNamesAreWrittenUnderTheirOwnName) {
    const RshRecords rsh = Compressed(kImageTypeDxt1, 8);
    Exporter exporter;
    exporter.Run(rsh, "/tex/\xC3\xA9t\xC3\xA9.rsh");
    EXPECT_EQ(exporter.state.exportPath, "\xC3\xA9t\xC3\xA9.DDS");
    EXPECT_EQ(exporter.File("\xC3\xA9t\xC3\xA9.DDS").size(), 136u);
}

// File systems allow names of 255 bytes; the export must not need more room than its own name.
TEST(ExtractTexture, AnExportNameOf250BytesIsWritten) {
    const RshRecords rsh = Compressed(kImageTypeDxt1, 8);
    Exporter exporter;
    const std::string stem(246, 'n');
    exporter.Run(rsh, "/mods/" + stem + ".rsh");
    ASSERT_EQ(exporter.state.exportPath.size(), 250u);
    EXPECT_EQ(exporter.File(stem + ".DDS").size(), 136u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(exporter.out.path()), {}), 1);
}

// The location is fixed when the file is written, so a later change of folder cannot move it.
TEST(ExtractTexture, ReturnsWhereTheFileWasWrittenAsAnAbsolutePath) {
    TempDir folder;
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ExportState state;
    RecordingView log;
    const auto written = ExtractTexture(Compressed(kImageTypeDxt1, 8), "C:\\tex\\wall.rsh", {}, state, log);
    RshRecords unknown;
    unknown.attributes.imageType = 3;
    const auto nothing = ExtractTexture(unknown, "odd.rsh", {}, state, log);
    std::filesystem::current_path(saved);

    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(written->is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(*written, folder.path() / "wall.DDS"));
    EXPECT_FALSE(nothing.has_value());
}

}  // namespace
}  // namespace pelliton
