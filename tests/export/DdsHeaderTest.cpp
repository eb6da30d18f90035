// DDS headers: the flags, caps and sizes by format and MIP count, and the bytes as stored.
#include <gtest/gtest.h>

#include "common/PellitonError.h"
#include "export/DdsHeader.h"
#include "support/HeaderBytes.h"

namespace pelliton {
namespace {

TextureAttributes Attr(std::int32_t width, std::int32_t height, std::int32_t mipLevels) {
    TextureAttributes attr;
    attr.width = width;
    attr.height = height;
    attr.mipLevels = mipLevels;
    return attr;
}

std::int32_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

struct HeaderCase {
    std::int32_t imageType;
    std::int32_t mipLevels;
    std::int32_t flags;
    std::int32_t caps;
    std::int32_t pitch;  // for a 64 x 32 texture with 1000 bytes of data
    friend void PrintTo(const HeaderCase& c, std::ostream* os) {
        *os << "type " << c.imageType << ", MIP levels " << c.mipLevels;
    }
};

class DdsHeaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(DdsHeaders, FlagsCapsCountAndPitchAsStored) {
    const HeaderCase& c = GetParam();
    const auto bytes =
        testing::HeaderBytes(MakeDdsHeader(*FindTextureFormat(c.imageType), Attr(64, 32, c.mipLevels), 1000));

    EXPECT_EQ(WordAt(bytes, 8), c.flags);
    EXPECT_EQ(WordAt(bytes, 108), c.caps);
    EXPECT_EQ(WordAt(bytes, 28), c.mipLevels);  // the count as stored, whatever its value
    EXPECT_EQ(WordAt(bytes, 20), c.pitch);
    EXPECT_EQ(WordAt(bytes, 12), 32);  // height before width
    EXPECT_EQ(WordAt(bytes, 16), 64);
}

INSTANTIATE_TEST_SUITE_P(
    DdsHeader, DdsHeaders,
    ::testing::Values(HeaderCase{kImageTypeDxt1, 0, 0x1007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt1, 1, 0x1007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt1, 9, 0x21007, 0x401008, 1000},
                      HeaderCase{kImageTypeDxt1, -3, 0x1007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt3, 0, 0x81007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt3, 1, 0x81007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt3, 9, 0xA1007, 0x401008, 1000},
                      HeaderCase{kImageTypeDxt3Game, 1, 0x81007, 0x1000, 1000},
                      HeaderCase{kImageTypeDxt3Game, 8, 0xA1007, 0x401008, 1000},
                      HeaderCase{kImageTypeDxt5, 0, 0x81007, 0x1000, 2048},
                      HeaderCase{kImageTypeDxt5, 1, 0x81007, 0x1000, 2048},
                      HeaderCase{kImageTypeDxt5, 9, 0xA1007, 0x401008, 2048},
                      HeaderCase{kImageTypeDxt5, 2, 0xA1007, 0x401008, 2048}));

TEST(DdsHeader, FixedFieldsAndCodesStandWhereReadersLookForThem) {
    for (const auto imageType : {kImageTypeDxt1, kImageTypeDxt3, kImageTypeDxt3Game, kImageTypeDxt5}) {
        const TextureFormat& format = *FindTextureFormat(imageType);
        const auto bytes = testing::HeaderBytes(MakeDdsHeader(format, Attr(4, 4, 1), 16));
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "DDS ");
        EXPECT_EQ(std::string(bytes.begin() + 84, bytes.begin() + 88), format.fourCC);
        EXPECT_EQ(WordAt(bytes, 4), 124);
        EXPECT_EQ(WordAt(bytes, 76), 32);
        EXPECT_EQ(WordAt(bytes, 80), 4);
        EXPECT_EQ(WordAt(bytes, 24), 0);  // depth
        for (std::size_t offset = 32; offset < 76; offset += 4) EXPECT_EQ(WordAt(bytes, offset), 0) << offset;
        for (std::size_t offset = 88; offset < 108; offset += 4) EXPECT_EQ(WordAt(bytes, offset), 0) << offset;
        for (std::size_t offset = 112; offset < 128; offset += 4) EXPECT_EQ(WordAt(bytes, offset), 0) << offset;
    }
}

TEST(DdsHeader, Dxt5LinearSizeMustFitThirtyTwoSignedBits) {
    const TextureFormat& dxt5 = *FindTextureFormat(kImageTypeDxt5);
    EXPECT_EQ(MakeDdsHeader(dxt5, Attr(46340, 46340, 1), 16).dwPitchOrLinearSize, 2147395600);
    EXPECT_EQ(MakeDdsHeader(dxt5, Attr(-65536, 32768, 1), 16).dwPitchOrLinearSize, INT32_MIN);
    EXPECT_EQ(MakeDdsHeader(dxt5, Attr(-3, 5, 1), 16).dwPitchOrLinearSize, -15);
    EXPECT_THROW(MakeDdsHeader(dxt5, Attr(65536, 32768, 1), 16), PellitonError);
    EXPECT_THROW(MakeDdsHeader(dxt5, Attr(-65536, 32769, 1), 16), PellitonError);
    // The other formats never multiply, so the same sizes are no error for them.
    EXPECT_NO_THROW(MakeDdsHeader(*FindTextureFormat(kImageTypeDxt1), Attr(65536, 32768, 1), 16));
}

}  // namespace
}  // namespace pelliton
