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
        RshAttrChunk attr;
        attr.Width = 8;
        attr.Height = 8;
        attr.MipLevels = 1;
        dds::FileHeader header = MakeDdsHeader(*FindTextureFormat(kImageTypeDxt5), attr, 4 * 16);
        hostile.change(header);
        ExpectHostileFileRejected("hostile.dds", pelliton::testing::HeaderBytes(header), hostile.fileBytes);
    }
}

}  // namespace
}  // namespace pelliton::d3d8
