// Loading DDS files: refusal of short or hostile ones.
#include <gtest/gtest.h>

#include <functional>

#include "common/DdsFormat.h"
#include "d3d8/TextureFixtures.h"
#include "export/DdsHeader.h"
#include "preview/d3d8/TextureFile.h"
#include "support/HeaderBytes.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::ExpectEveryTruncationFails;
using fixtures::ExpectHostileFileRejected;
using fixtures::RandomBytes;
using fixtures::WriteExportedDds;
using pelliton::testing::TempDir;

// The header the exporter writes for an 8 x 8 DXT5 texture of one level.
dds::FileHeader Dxt5Header8x8() {
    TextureAttributes attr;
    attr.width = 8;
    attr.height = 8;
    attr.mipLevels = 1;
    return MakeDdsHeader(*FindTextureFormat(kImageTypeDxt5), attr, 4 * 16);
}

TEST(DdsFile, EveryTruncationOfAFileFails) {
    std::mt19937 random(13);
    TempDir dir;
    const auto whole = pelliton::testing::ReadFileBytes(
        WriteExportedDds(dir, D3DFMT_DXT5, 8, 4, 1, RandomBytes(2 * dds::BlockBytes(dds::kDxt5), random)));
    ExpectEveryTruncationFails(dir, whole);
}

struct HostileDds {
    const char* name;
    std::function<void(dds::FileHeader&)> change;
    std::size_t fileBytes;  // header included
};

TEST(DdsFile, RefusesHostileHeadersWithoutAllocatingFromThem) {
    const HostileDds cases[] = {
        {"width 16385", [](dds::FileHeader& h) { h.dwWidth = 16385; }, 128 + 4097 * 16},
        {"65535 x 65535 in 200 bytes", [](dds::FileHeader& h) { h.dwWidth = h.dwHeight = 65535; }, 200},
        {"16384 x 16384 in 200 bytes", [](dds::FileHeader& h) { h.dwWidth = h.dwHeight = 16384; }, 200},
        {"negative width", [](dds::FileHeader& h) { h.dwWidth = -4; }, 200},
        {"zero width", [](dds::FileHeader& h) { h.dwWidth = 0; }, 200},
        {"zero height", [](dds::FileHeader& h) { h.dwHeight = 0; }, 200},
        {"bad magic", [](dds::FileHeader& h) { h.dwMagic = dds::FourCC("DDS!"); }, 200},
        {"fourCC DXT2", [](dds::FileHeader& h) { h.ddspf.dwFourCC = dds::FourCC("DXT2"); }, 200},
        {"header size 100", [](dds::FileHeader& h) { h.dwSize = 100; }, 200},
        {"uncompressed RGB", [](dds::FileHeader& h) { h.ddspf.dwFlags = 0x40; }, 200},
        {"level 0 one byte short", [](dds::FileHeader&) {}, 128 + 4 * 16 - 1},
    };
    for (const HostileDds& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        dds::FileHeader header = Dxt5Header8x8();
        hostile.change(header);
        ExpectHostileFileRejected("hostile.dds", pelliton::testing::HeaderBytes(header), hostile.fileBytes);
    }
}

// The reason reaches the log as "cannot preview NAME: REASON", worded as the preview words it.
TEST(DdsFile, SaysWhyItRefusesAFile) {
    struct Refusal {
        const char* reason;
        std::function<void(dds::FileHeader&)> change;
        std::size_t fileBytes;  // header included
    };
    const Refusal cases[] = {
        {"its DDS header size is 100, not 124", [](dds::FileHeader& h) { h.dwSize = 100; }, 200},
        {"its DDS pixel format is uncompressed 24-bit; the preview reads DXT1, DXT3 and DXT5",
         [](dds::FileHeader& h) {
             h.ddspf.dwFlags = 0x40;  // DDPF_RGB
             h.ddspf.dwRGBBitCount = 24;
         },
         200},
        {"its DDS pixel format is \"DX?2\"; the preview reads DXT1, DXT3 and DXT5",
         [](dds::FileHeader& h) { h.ddspf.dwFourCC = dds::FourCC("DX\x01" "2"); }, 200},
        {"its size 4294967292 x 8 is outside 1 to 16384 texels a side", [](dds::FileHeader& h) { h.dwWidth = -4; },
         200},
        {"the file ends before the 64 bytes of its 8 x 8 texels", [](dds::FileHeader&) {}, 128 + 63},
        {"the file ends inside its 128-byte DDS header", [](dds::FileHeader&) {}, 127},
    };
    for (const Refusal& refusal : cases) {
        dds::FileHeader header = Dxt5Header8x8();
        refusal.change(header);
        EXPECT_EQ(ExpectHostileFileRejected("refused.dds", pelliton::testing::HeaderBytes(header), refusal.fileBytes),
                  refusal.reason);
    }
}

}  // namespace
}  // namespace pelliton::d3d8
