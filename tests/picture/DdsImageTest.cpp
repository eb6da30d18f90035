// DDS files made from a header struct, and its DX10 extension: the MIP chain found in the file, and
// each refusal.
#include <gtest/gtest.h>

#include <algorithm>
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

// The header, the extension if there is one, then texelBytes of pattern. Sized first: GCC 12 sees a
// false out-of-bounds copy when the header's bytes grow by insert.
Bytes DdsFile(const dds::FileHeader& header, std::size_t texelBytes, const Bytes& extension = {}) {
    Bytes file(sizeof header + extension.size() + texelBytes);
    const Bytes headerBytes = testing::HeaderBytes(header);
    const auto texelsAt = std::copy(extension.begin(), extension.end(),
                                    std::copy(headerBytes.begin(), headerBytes.end(), file.begin()));
    for (auto texel = texelsAt; texel != file.end(); ++texel) *texel = static_cast<std::uint8_t>(texel - texelsAt);
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
        Malformed{"cube map", [](auto& h) { h.dwCaps2 = dds::DDSCAPS2_CUBEMAP | 0xFC00; }, 48,
                  "it is a DDS cube map; only a single 2-D texture is read"},
        Malformed{"volume", [](auto& h) { h.dwCaps2 = dds::DDSCAPS2_VOLUME; }, 8, "it is a DDS volume texture"},
        Malformed{"one byte short", [](auto&) {}, 7,
                  "holds 7 bytes of texels, but 4 x 4 \"DXT1\" in 1 MIP level takes 8"},
        Malformed{"one byte long", [](auto&) {}, 9, "holds 9 bytes of texels"},
        Malformed{"chain short", [](auto& h) { h.dwMipMapCount = 3; }, 8,
                  "holds 8 bytes of texels, but 4 x 4 \"DXT1\" in 3 MIP levels takes 24"},
        Malformed{"DX10 header size", [](auto& h) {
                      h.dwSize = 100;
                      h.ddspf.dwFourCC = dds::kDx10;
                  },
                  0,
                  "header size is 100, not 124"},
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
    testing::ExpectRefusal([] { ReadDdsImage(Bytes(1, 'D'), "cut.dds"); }, "cut.dds",
                           "the file is 1 byte, shorter than the 128-byte DDS header");
}

dds::HeaderDxt10 Extension(std::uint32_t dxgiFormat) {
    dds::HeaderDxt10 extension;
    extension.dxgiFormat = dxgiFormat;
    extension.resourceDimension = dds::DDS_DIMENSION_TEXTURE2D;
    extension.arraySize = 1;
    return extension;
}

Bytes Dx10File(const dds::HeaderDxt10& extension, std::size_t texelBytes, int width = 4, int height = 4,
               int mipMapCount = 1) {
    return DdsFile(Header(dds::kDx10, width, height, mipMapCount), texelBytes, testing::HeaderBytes(extension));
}

struct Dx10Format {
    std::uint32_t dxgiFormat;
    std::uint32_t fourCC;
    std::size_t chainBytes;  // of 8 x 8 in 4 levels: 4, 1, 1 and 1 blocks
};

TEST(DdsImage, ReadsBc1ToBc3InADx10FileAsTheirDxtFormat) {
    const std::array cases = {
        Dx10Format{70, dds::kDxt1, 56},  Dx10Format{71, dds::kDxt1, 56},  Dx10Format{72, dds::kDxt1, 56},
        Dx10Format{73, dds::kDxt3, 112}, Dx10Format{74, dds::kDxt3, 112}, Dx10Format{75, dds::kDxt3, 112},
        Dx10Format{76, dds::kDxt5, 112}, Dx10Format{77, dds::kDxt5, 112}, Dx10Format{78, dds::kDxt5, 112},
    };
    for (const Dx10Format& c : cases) {
        SCOPED_TRACE("DXGI format " + std::to_string(c.dxgiFormat));
        const DdsImage image = ReadDdsImage(Dx10File(Extension(c.dxgiFormat), c.chainBytes, 8, 8, 4), "dx10.dds");
        EXPECT_EQ(image.fourCC, c.fourCC);
        EXPECT_EQ(image.width, 8);
        EXPECT_EQ(image.height, 8);
        EXPECT_EQ(image.mipLevels, 4);
        EXPECT_EQ(image.texelOffset, 148u);
        EXPECT_EQ(image.texelBytes, c.chainBytes);
    }
}

TEST(DdsImage, RefusesOtherDx10FormatsByName) {
    const std::array cases = {
        std::pair{98u, "it is a DX10 DDS file of format BC7_UNORM (98); only BC1, BC2 and BC3 (DXT1, DXT3, DXT5) "
                       "are read"},
        std::pair{0u, "of format UNKNOWN (0);"},
        std::pair{28u, "of format R8G8B8A8_UNORM (28);"},
        std::pair{29u, "of format R8G8B8A8_UNORM_SRGB (29);"},
        std::pair{84u, "of format BC5_SNORM (84);"},
        std::pair{87u, "of format B8G8R8A8_UNORM (87);"},
        std::pair{91u, "of format B8G8R8A8_UNORM_SRGB (91);"},
        std::pair{99u, "of format BC7_UNORM_SRGB (99);"},
        std::pair{100u, "of format 100;"},
        std::pair{4294967295u, "of format 4294967295;"},
    };
    for (const auto& [format, reasonPart] : cases) {
        SCOPED_TRACE(reasonPart);
        testing::ExpectRefusal([&] { ReadDdsImage(Dx10File(Extension(format), 8), "bad.dds"); }, "bad.dds",
                               reasonPart);
    }
}

struct Dx10Malformed {
    const char* label;
    std::function<void(dds::HeaderDxt10&)> corrupt;
    const char* reasonPart;
};

TEST(DdsImage, RefusesDx10FilesOfMoreThanOneTexture) {
    const std::array cases = {
        Dx10Malformed{"1-D", [](auto& e) { e.resourceDimension = dds::DDS_DIMENSION_TEXTURE1D; },
                      "its DX10 resource dimension is 2, a 1-D texture; only a single 2-D texture is read"},
        Dx10Malformed{"volume", [](auto& e) { e.resourceDimension = dds::DDS_DIMENSION_TEXTURE3D; },
                      "its DX10 resource dimension is 4, a volume texture;"},
        Dx10Malformed{"no dimension", [](auto& e) { e.resourceDimension = 0; }, "its DX10 resource dimension is 0;"},
        Dx10Malformed{"cube map", [](auto& e) { e.miscFlag = dds::DDS_RESOURCE_MISC_TEXTURECUBE; },
                      "it is a DX10 DDS cube map; only a single 2-D texture is read"},
        Dx10Malformed{"array", [](auto& e) { e.arraySize = 6; }, "it is a DX10 DDS array of 6 textures;"},
        Dx10Malformed{"empty array", [](auto& e) { e.arraySize = 0; }, "it is a DX10 DDS array of 0 textures;"},
    };
    for (const Dx10Malformed& c : cases) {
        SCOPED_TRACE(c.label);
        dds::HeaderDxt10 extension = Extension(dds::DXGI_FORMAT_BC1_TYPELESS + 1);
        c.corrupt(extension);
        testing::ExpectRefusal([&] { ReadDdsImage(Dx10File(extension, 8), "bad.dds"); }, "bad.dds", c.reasonPart);
    }
}

// Checks the texels after the extension, and reads the extension only where the file holds it.
TEST(DdsImage, RefusesDx10FilesCutShort) {
    const Bytes whole = Dx10File(Extension(dds::DXGI_FORMAT_BC3_TYPELESS), 16);
    const std::array cases = {
        std::pair{std::size_t{128}, "the file is 128 bytes, shorter than the 148 bytes of a DDS header and its DX10 "
                                    "extension"},
        std::pair{std::size_t{147}, "the file is 147 bytes, shorter than the 148 bytes"},
        std::pair{std::size_t{148}, "holds 0 bytes of texels, but 4 x 4 \"DXT5\" in 1 MIP level takes 16"},
        std::pair{std::size_t{163}, "holds 15 bytes of texels"},
    };
    for (const auto& [length, reasonPart] : cases) {
        SCOPED_TRACE(length);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        testing::ExpectRefusal([&] { ReadDdsImage(cut, "cut.dds"); }, "cut.dds", reasonPart);
    }
}

}  // namespace
}  // namespace pelliton
