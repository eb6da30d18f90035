// TGA headers: the 18 bytes as stored, and the 16-bit range of width and height.
#include <gtest/gtest.h>

#include "common/PellitonError.h"
#include "export/TgaHeader.h"
#include "support/HeaderBytes.h"

namespace pelliton {
namespace {

TextureAttributes Attr(std::int32_t width, std::int32_t height) {
    TextureAttributes attr;
    attr.width = width;
    attr.height = height;
    return attr;
}

TEST(TgaHeader, EighteenBytesOfAnUncompressed32BitImage) {
    const auto bytes = testing::HeaderBytes(MakeTgaHeader(Attr(16, 16)));
    const std::vector<std::uint8_t> expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0};
    EXPECT_EQ(bytes, expected);
}

TEST(TgaHeader, WidthAndHeightAreLittleEndianSigned16Bit) {
    const auto bytes = testing::HeaderBytes(MakeTgaHeader(Attr(-1, 0x1234)));
    EXPECT_EQ(bytes[12], 255);
    EXPECT_EQ(bytes[13], 255);
    EXPECT_EQ(bytes[14], 0x34);
    EXPECT_EQ(bytes[15], 0x12);
    EXPECT_EQ(MakeTgaHeader(Attr(32767, -32768)).ImageHeight, -32768);
}

TEST(TgaHeader, SizesOutsideSixteenBitsAreOverflowErrors) {
    for (const auto& attr : {Attr(32768, 1), Attr(1, 32768), Attr(-32769, 1), Attr(1, INT32_MIN)}) {
        EXPECT_THROW(MakeTgaHeader(attr), PellitonError) << attr.width << " x " << attr.height;
    }
}

}  // namespace
}  // namespace pelliton
