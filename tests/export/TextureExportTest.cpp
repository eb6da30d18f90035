// The one writer of export files: each format's header, then the texels, from memory or copied from
// a range of the source file.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "common/FileSource.h"
#include "export/TextureExport.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

TextureAttributes Attributes(std::int32_t imageType, std::int32_t width, std::int32_t height) {
    TextureAttributes attributes;
    attributes.imageType = imageType;
    attributes.width = width;
    attributes.height = height;
    attributes.mipLevels = 1;
    return attributes;
}

struct FormatCase {
    std::int32_t imageType;
    std::string_view extension;
    std::size_t headerBytes;
};

TEST(TextureExport, EachFormatWritesItsHeaderThenTheTexelsFromMemoryOrFromTheSource) {
    const FormatCase cases[] = {{kImageTypeDxt1, ".DDS", 128},
                                {kImageTypeDxt3Game, ".DDS", 128},
                                {kImageTypeDxt5, ".DDS", 128},
                                {kImageTypeUncompressed, ".TGA", 18}};
    std::vector<std::uint8_t> source(100);
    std::iota(source.begin(), source.end(), std::uint8_t{0});
    const std::vector<std::uint8_t> texels(source.begin() + 36, source.begin() + 100);
    TempDir dir;
    const FileSource sourceFile(dir.Write("source.rsh", source));
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.imageType);
        const ExportHeader header(*FindTextureFormat(c.imageType), Attributes(c.imageType, 4, 4), 64);
        EXPECT_EQ(header.Extension(), c.extension);
        ASSERT_EQ(header.Bytes().size(), c.headerBytes);
        std::vector<std::uint8_t> expected(c.headerBytes);
        std::memcpy(expected.data(), header.Bytes().data(), c.headerBytes);
        expected.insert(expected.end(), texels.begin(), texels.end());

        WriteTextureFile(WriteFileAtomically, dir.path() / "memory", header, ByteRange::InMemory(texels));
        EXPECT_EQ(ReadFileBytes(dir.path() / "memory"), expected);
        WriteTextureFile(WriteFileAtomically, dir.path() / "copied", header, ByteRange::Of(sourceFile, 36, 64));
        EXPECT_EQ(ReadFileBytes(dir.path() / "copied"), expected);
    }
}

}  // namespace
}  // namespace pelliton
