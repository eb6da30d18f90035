// DDS files made from a header struct: the MIP chain found in the file, and each refusal.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "common/DdsFormat.h"
#include "picture/DdsImage.h"
#include "picture/Refusal.h"
#include "support/HeaderBytes.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

dds::FileHeader Header(std::uint32_t fourCC, int width, int height, int mipMapCount) {
    dds::FileHeader header;
    header.dwMagic = dds::kMagic;
    header.dwSize = dds::kHeaderSize;
    header.dwFlags =
        dds::DDSD_CAPS | dds::DDSD_HEIGHT | dds::DDSD_WIDTH | dds::DDSD_PIXELFORMAT | dds::DDSD_MIPMAPCOUNT;
    header.dwWidth = width;
    header.dwHeight = height;
    header.dwMipMapCount = mipMapCount;
    header.ddspf.dwSize = dds::kPixelFormatSize;
    header.ddspf.dwFlags = dds::DDPF_FOURCC;
    header.ddspf.dwFourCC = fourCC;
    return header;
}

Bytes DdsFile(const dds::FileHeader& header, std::size_t texelBytes) {
    Bytes file = testing::HeaderBytes(header);
    for (std::size_t i = 0; i < texelBytes; ++i) file.push_back(static_cast<std::uint8_t>(i));
    return file;
}

struct Chain {
    const char* label;
    dds::FileHeader header;
    int mipLevels;
    std::size_t texelBytes;
};

TEST(DdsImage, FindsTheWholeChainInsideTheFile) {
    dds::FileHeader noCountFlag = Header(dds::kDxt5, 8, 8, 4);
    noCountFlag.dwFlags &= ~dds::DDSD_MIPMAPCOUNT;
    const std::array cases = {
        Chain{"count 0 is one level", Header(dds::kDxt1, 4, 4, 0), 1, 8},
        Chain{"without DDSD_MIPMAPCOUNT one level", noCountFlag, 1, 64},
        Chain{"8 x 4 DXT3, 4 levels: 2, 1, 1, 1 blocks", Header(dds::kDxt3, 8, 4, 4), 4, 80},
        Chain{"5 x 3 DXT1, 3 levels: partial blocks count whole", Header(dds::kDxt1, 5, 3, 3), 3, 32},
    };
    for (const Chain& c : cases) {
        SCOPED_TRACE(c.label);
        const Bytes file = DdsFile(c.header, c.texelBytes);
        const DdsImage image = ReadDdsImage(file, "t.dds");
        EXPECT_EQ(image.fourCC, c.header.ddspf.dwFourCC);
        EXPECT_EQ(image.width, c.header.dwWidth);
        EXPECT_EQ(image.height, c.header.dwHeight);
        EXPECT_EQ(image.mipLevels, c.mipLevels);
        EXPECT_EQ(image.texelOffset, 128u);
        EXPECT_EQ(image.texelBytes, c.texelBytes);
    }
}

struct Malformed {
    const char* label;
    std::function<void(dds::FileHeader&)> corrupt;
    std::size_t texelBytes;
    const char* reasonPart;
};

TEST(DdsImage, RefusesEachMalformation) {
    const std::array cases = {
        Malformed{"magic", [](auto& h) { h.dwMagic = dds::FourCC("DDS_"); }, 8,
                  "not a DDS file: it does not start with \"DDS \""},
        Malformed{"header size", [](auto& h) { h.dwSize = 100; }, 8, "header size is 100, not 124"},
        Malformed{"uncompressed", [](auto& h) { h.ddspf.dwFlags = 0x40; }, 8,
                  "its DDS pixel format is uncompressed; only DXT1, DXT3 and DXT5 are read"},
        Malformed{"DXT2", [](auto& h) { h.ddspf.dwFourCC = dds::FourCC("DXT2"); }, 8,
                  "its DDS pixel format is \"DXT2\"; only DXT1, DXT3 and DXT5 are read"},
        Malformed{"zero width", [](auto& h) { h.dwWidth = 0; }, 8,
                  "its size 0 x 4 is outside 1 to 16384 pixels a side"},
        Malformed{"negative height", [](auto& h) { h.dwHeight = -4; }, 8, "size 4 x 4294967292 is outside"},
        Malformed{"too tall", [](auto& h) { h.dwHeight = 16385; }, 8, "size 4 x 16385 is outside"},
        Malformed{"levels", [](auto& h) { h.dwMipMapCount = 4; }, 8, "declares 4 MIP levels, but 4 x 4 has at most 3"},
        Malformed{"negative levels", [](auto& h) { h.dwMipMapCount = -1; }, 8, "declares 4294967295 MIP levels"},
        Malformed{"one byte short", [](auto&) {}, 7,
                  "holds 7 bytes of texels, but 1 MIP levels of 4 x 4 \"DXT1\" take 8"},
        Malformed{"one byte long", [](auto&) {}, 9, "holds 9 bytes of texels"},
        Malformed{"chain short", [](auto& h) { h.dwMipMapCount = 3; }, 8, "but 3 MIP levels of 4 x 4 \"DXT1\" take 24"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.label);
        dds::FileHeader header = Header(dds::kDxt1, 4, 4, 1);
        c.corrupt(header);
        testing::ExpectRefusal([&] { ReadDdsImage(DdsFile(header, c.texelBytes), "bad.dds"); }, "bad.dds",
                               c.reasonPart);
    }
    testing::ExpectRefusal([] { ReadDdsImage(Bytes(127, 0), "cut.dds"); }, "cut.dds",
                           "127 bytes, shorter than the 128-byte DDS header");
}

}  // namespace
}  // namespace pelliton
