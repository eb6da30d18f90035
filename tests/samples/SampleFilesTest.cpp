// Tests of samples/: the committed files are the generator's output, and each holds what its name says.
#include <squish.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/DdsFormat.h"
#include "make-samples/GameShapedSample.h"
#include "make-samples/PatternSample.h"
#include "make-samples/QuadrantImage.h"
#include "make-samples/SampleFiles.h"
#include "make-samples/TexelEncoding.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"
#include "rshwrite/RshWriter.h"
#include "session/RshSession.h"
#include "support/FramePixels.h"
#include "support/RecordingLog.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"
#include "teamcolour/PatternText.h"

namespace pelliton {
namespace {


const std::filesystem::path kSamplesDir = PELLITON_SAMPLES_DIR;

// The records take 168 bytes, plus the two 6-byte names the writer gives every file.
constexpr std::uintmax_t kTexelDataOffset = 180;

struct Sample {
    const char* name;
    std::int32_t imageType;
    int width;
    int height;
    int mipLevels;
    std::int32_t dataSize;
    AlphaPattern alpha;
};

const std::vector<Sample> kSamples = {
    {"quadrants-dxt1-mips.rsh", kImageTypeDxt1, 64, 64, 7, 8 * (256 + 64 + 16 + 4 + 1 + 1 + 1), AlphaPattern::kOpaque},
    {"quadrants-dxt3-alpha-ramp.rsh", kImageTypeDxt3, 64, 64, 1, 16 * 16 * 16, AlphaPattern::kHorizontalRamp},
    {"quadrants-dxt5-alpha-radial.rsh", kImageTypeDxt5, 128, 64, 1, 16 * 32 * 16, AlphaPattern::kRadial},
    {"quadrants-uncompressed.rsh", kImageTypeUncompressed, 32, 32, 1, 4 * 32 * 32, AlphaPattern::kOpaque},
    {"unsupported-type3.rsh", 3, 32, 32, 1, 0, AlphaPattern::kOpaque},
    {"quadrants-dxt3-type10-mips.rsh", kImageTypeDxt3Game, 128, 8, 8, 16 * (32 * 2 + 16 + 8 + 4 + 2 + 1 + 1 + 1),
     AlphaPattern::kHorizontalRamp},
};

RshRecords LoadSample(const Sample& sample) {
    const testing::ReadRecords read = testing::ReadRecordsFile((kSamplesDir / sample.name).string());
    EXPECT_EQ(read.unread, 0) << "the whole file is read";
    return read.rsh;
}

std::array<std::pair<int, int>, 4> QuadrantCentres(int width, int height) {
    return {{{width / 4, height / 4}, {3 * width / 4, height / 4}, {width / 4, 3 * height / 4},
             {3 * width / 4, 3 * height / 4}}};
}

int ChannelDistance(const Rgba& a, const Rgba& b, std::size_t channels) {
    int largest = 0;
    for (std::size_t channel = 0; channel < channels; ++channel) {
        largest = std::max(largest, std::abs(a[channel] - b[channel]));
    }
    return largest;
}

TEST(SampleFiles, CommittedFilesAreTheGeneratorsOutput) {
    const std::vector<SampleFile> generated = MakeSampleFiles();
    ASSERT_EQ(generated.size(), kSamples.size());
    for (std::size_t index = 0; index < generated.size(); ++index) {
        const SampleFile& sample = generated[index];
        EXPECT_EQ(sample.name, kSamples[index].name);
        const std::filesystem::path committed = kSamplesDir / sample.name;
        if (testing::ReadFileBytes(committed) != sample.bytes) {
            const auto actual = std::filesystem::current_path() / (sample.name + ".actual");
            WriteFileBytes(actual.string(), sample.bytes);
            ADD_FAILURE() << committed << " differs from the generator's output, kept as " << actual
                          << "; run `make samples` if the change is meant";
        }
    }
}

// The skinner's walk-through works on these: the generator's output, the pattern of the shape the
// walk-through shows.
TEST(SampleFiles, ThePatternAndBadgeSamplesAreTheGeneratorsOutput) {
    for (const SampleFile& generated : {MakePatternSample(), MakeBadgeSample()}) {
        EXPECT_EQ(testing::ReadFileBytes(kSamplesDir / generated.name), generated.bytes)
            << generated.name << ": run `make samples` if the change is meant";
    }
    const RshFile file((kSamplesDir / "sample_marine.wtp").string());
    const std::optional<TeamPattern> pattern = FindTeamPattern(file.tree, file.source);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(DescribePattern(*pattern).front(), "team colour pattern \"default\": 64 x 64");
}

// The file of the round trip's examples: the generator's output, with the textures of one model.
TEST(SampleFiles, TheGameShapedSampleIsTheGeneratorsOutputWithThreeTextures) {
    const SampleFile generated = MakeGameShapedSample();
    EXPECT_EQ(testing::ReadFileBytes(kSamplesDir / generated.name), generated.bytes)
        << "run `make samples` if the change is meant";
    const RshFile file((kSamplesDir / generated.name).string());
    struct Expected {
        const char* name;
        TextureAttributes attributes;
    };
    const Expected expected[] = {{"sample_tank", {kImageTypeDxt1, 128, 128, 8}},
                                 {"sample_tank_spec", {kImageTypeDxt5, 64, 64, 7}},
                                 {"_reflection_sample_vehicles", {kImageTypeDxt3Game, 32, 32, 6}}};
    ASSERT_EQ(file.textures.size(), std::size(expected));
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        const TreeTexture& texture = file.textures[index];
        EXPECT_EQ(texture.name, expected[index].name);
        EXPECT_EQ(texture.problem, "");
        EXPECT_EQ(DescribeTexture(texture.attributes), DescribeTexture(expected[index].attributes));
    }
}

TEST(SampleFiles, EachLoadsWithTheAttributesItsNameClaims) {
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        EXPECT_EQ(std::filesystem::file_size(kSamplesDir / sample.name), kTexelDataOffset + sample.dataSize);
        const RshRecords rsh = LoadSample(sample);
        EXPECT_EQ(rsh.attributes.imageType, sample.imageType);
        EXPECT_EQ(rsh.attributes.width, sample.width);
        EXPECT_EQ(rsh.attributes.height, sample.height);
        EXPECT_EQ(rsh.attributes.mipLevels, sample.mipLevels);
        EXPECT_EQ(rsh.data.size, sample.dataSize);
        const std::size_t loaded = sample.imageType == kImageTypeUncompressed
                                       ? rsh.pixels.size() * sizeof(RshPixel)
                                       : rsh.blockTexels.size();
        EXPECT_EQ(loaded, static_cast<std::size_t>(sample.dataSize));
    }
}

// Without distinct quadrants a misplaced block or a flipped picture would go unnoticed below.
TEST(SampleFiles, QuadrantsOfEveryPictureDifferClearly) {
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        const RgbaImage picture = MakeQuadrantImage(sample.width, sample.height, sample.alpha);
        const auto centres = QuadrantCentres(sample.width, sample.height);
        for (std::size_t a = 0; a < centres.size(); ++a) {
            for (std::size_t b = a + 1; b < centres.size(); ++b) {
                EXPECT_GE(ChannelDistance(picture.Pixel(centres[a].first, centres[a].second),
                                          picture.Pixel(centres[b].first, centres[b].second), 3),
                          100);
            }
        }
    }
}

// Decodes every MIP level in file order; levels below 8 x 8 blend all quadrants in one block.
TEST(SampleFiles, DxtBlocksDecodeToTheSourcePictureAtEachQuadrantCentre) {
    constexpr int kTolerance = 16;  // DXT rounding on a gently shaded picture stays well inside this
    for (const Sample& sample : kSamples) {
        const TextureFormat* format = FindTextureFormat(sample.imageType);
        if (format == nullptr || format->layout != TexelLayout::BlockCompressed) continue;
        SCOPED_TRACE(sample.name);
        const UninitialisedBytes data = LoadSample(sample).blockTexels;
        const auto blockBytes = dds::BlockBytes(dds::FourCC(format->fourCC));
        RgbaImage source = MakeQuadrantImage(sample.width, sample.height, sample.alpha);
        std::size_t offset = 0;
        for (int level = 0; level < sample.mipLevels; ++level) {
            SCOPED_TRACE("MIP level " + std::to_string(level));
            if (level > 0) source = DownsampleBox2x2(source);
            const auto blocks = static_cast<std::size_t>(std::max(1, (source.width + 3) / 4) *
                                                         std::max(1, (source.height + 3) / 4));
            ASSERT_LE(offset + blocks * blockBytes, data.size());
            if (source.width >= 8 && source.height >= 8) {
                RgbaImage decoded(source.width, source.height);
                squish::DecompressImage(decoded.rgba.data(), source.width, source.height, data.data() + offset,
                                        SquishFormat(sample.imageType));
                for (const auto& [x, y] : QuadrantCentres(source.width, source.height)) {
                    EXPECT_LE(ChannelDistance(decoded.Pixel(x, y), source.Pixel(x, y), 4), kTolerance)
                        << "at " << x << ", " << y;
                }
            }
            offset += blocks * blockBytes;
        }
        EXPECT_EQ(offset, data.size());
    }
}

TEST(SampleFiles, UncompressedSampleHoldsTheSourcePictureBottomRowFirst) {
    const Sample& sample = kSamples[3];
    ASSERT_EQ(sample.imageType, kImageTypeUncompressed);
    const RshRecords rsh = LoadSample(sample);
    ASSERT_EQ(rsh.pixels.size(), static_cast<std::size_t>(sample.width * sample.height));
    const RgbaImage source = MakeQuadrantImage(sample.width, sample.height, sample.alpha);
    int mismatches = 0;
    for (int y = 0; y < sample.height; ++y) {
        for (int x = 0; x < sample.width; ++x) {
            const int fileIndex = (sample.height - 1 - y) * sample.width + x;
            const RshPixel& texel = rsh.pixels[static_cast<std::size_t>(fileIndex)];
            if (Rgba{texel.red, texel.green, texel.blue, texel.alpha} != source.Pixel(x, y) && mismatches++ == 0) {
                ADD_FAILURE() << "first mismatch at " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

std::uint32_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | std::uint32_t{bytes[offset + 3]} << 24;
}

// The game marks DXT3 with image type 10: it must leave as a DXT3 file and show its picture.
TEST(SampleFiles, GameDxt3SampleExportsAsDxt3AndPreviewsUpright) {
    const Sample& sample = kSamples.back();
    ASSERT_EQ(sample.imageType, kImageTypeDxt3Game);
    testing::TempDir out;
    testing::RecordingView view;
    testing::RecordingPane pane(kPreviewPaneClientSize, kPreviewPaneClientSize);
    RshSession session(view, pane);
    session.SetOutputFolder(out.path());
    ASSERT_EQ(session.Open((kSamplesDir / sample.name).string()).outcome, OpenResult::Outcome::Completed);

    EXPECT_EQ(std::vector(view.lines.end() - 2, view.lines.end()),
              (std::vector<std::string>{"DXT3 DDS File", "Extracting to: quadrants-dxt3-type10-mips.DDS"}));
    const auto dds = testing::ReadFileBytes(out.path() / "quadrants-dxt3-type10-mips.DDS");
    ASSERT_EQ(dds.size(), 128u + static_cast<std::size_t>(sample.dataSize));
    EXPECT_EQ(std::string(dds.begin() + 84, dds.begin() + 88), "DXT3");
    EXPECT_EQ(WordAt(dds, 8), 0xA1007u);   // with MIP count and linear size
    EXPECT_EQ(WordAt(dds, 20), 1552u);     // the data's size, as for type 4
    EXPECT_EQ(WordAt(dds, 28), 8u);
    EXPECT_EQ(testing::ByteVector(LoadSample(sample).blockTexels), std::vector(dds.begin() + 128, dds.end()));

    ASSERT_EQ(pane.frames.size(), 1u);
    const d3d8::Frame& frame = pane.frames[0];
    const testing::Box drawn = testing::DrawnBox(frame);
    EXPECT_NEAR(drawn.Width(), 0.805 * kPreviewPaneClientSize, 3);  // the larger side covers about 80%
    EXPECT_NEAR(drawn.Height(), drawn.Width() / 16.0, 2);
    const RgbaImage source = MakeQuadrantImage(sample.width, sample.height, sample.alpha);
    for (const auto& [x, y] : QuadrantCentres(sample.width, sample.height)) {
        const int px = drawn.left + (2 * x + 1) * drawn.Width() / (2 * sample.width);
        const int py = drawn.top + (2 * y + 1) * drawn.Height() / (2 * sample.height);
        const std::uint32_t shown = testing::PixelAt(frame, px, py);
        const Rgba expected = source.Pixel(x, y);
        const Rgba actual{static_cast<std::uint8_t>(shown >> 16), static_cast<std::uint8_t>(shown >> 8),
                          static_cast<std::uint8_t>(shown), expected[3]};
        EXPECT_LE(ChannelDistance(actual, expected, 3), 16) << "texel " << x << ", " << y;
    }
}

}  // namespace
}  // namespace pelliton
