// Random block data and files as our exporter writes them.
#include "d3d8/TextureFixtures.h"

#include <gtest/gtest.h>

#include "preview/d3d8/TextureFile.h"
#include "rsh/TextureFormats.h"
#include "support/AllocationWatch.h"
#include "support/TextureRecords.h"

namespace pelliton::d3d8::fixtures {

std::int32_t ImageTypeOf(DWORD format) {
    if (format == D3DFMT_DXT1) return kImageTypeDxt1;
    if (format == D3DFMT_DXT3) return kImageTypeDxt3;
    return kImageTypeDxt5;
}

std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels) {
    // Each row as a 32-bit TGA stores it: blue, green, red, alpha.
    constexpr std::size_t kBgraBytes = 4;
    auto readRow = [width, texels = std::move(texels)](int row, std::span<std::uint8_t> into) {
        for (std::size_t byte = 0; byte < into.size(); ++byte) {
            const D3DCOLOR texel = texels[static_cast<std::size_t>(row * width) + byte / kBgraBytes];
            into[byte] = static_cast<std::uint8_t>(texel >> (8 * (byte % kBgraBytes)));
        }
    };
    return std::make_shared<Direct3DTexture8>(width, height, format, kBgraBytes, false,
                                              TexelRows(height, RowBytes(width, kBgraBytes), std::move(readRow)));
}

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(count);
    for (auto& value : bytes) value = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

void ExpectTexels(const Direct3DTexture8& texture, const std::vector<D3DCOLOR>& expected) {
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(texture.Width()) * static_cast<std::size_t>(texture.Height()));
    int mismatches = 0;
    for (int y = 0; y < texture.Height(); ++y) {
        for (int x = 0; x < texture.Width(); ++x) {
            const D3DCOLOR want = expected[static_cast<std::size_t>(y * texture.Width() + x)] & kColourBits;
            const D3DCOLOR got = texture.TexelColour(x, y);
            if (got != want && mismatches++ == 0) {
                ADD_FAILURE() << "texel " << x << "," << y << ": got " << std::hex << got << ", want " << want;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

std::string WriteExportedDds(const pelliton::testing::TempDir& dir, DWORD format, int width, int height, int mipLevels,
                             const std::vector<std::uint8_t>& texelBytes) {
    const RshRecords rsh = pelliton::testing::BlockTextureRecords(ImageTypeOf(format), width, height, texelBytes, mipLevels);
    return pelliton::testing::ExportRecords(rsh, dir.path()).string();
}

std::string WriteExportedTga(const pelliton::testing::TempDir& dir, int width, int height,
                             const std::vector<D3DCOLOR>& stored) {
    return pelliton::testing::ExportRecords(pelliton::testing::PixelTextureRecords(width, height, stored), dir.path())
        .string();
}

void ExpectEveryTruncationFails(const pelliton::testing::TempDir& dir, const std::vector<std::uint8_t>& whole) {
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string path =
            dir.Write("cut.bin", {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)});
        std::shared_ptr<Direct3DTexture8> texture;
        EXPECT_EQ(LoadTextureFile(path, texture), D3DXERR_INVALIDDATA);
        EXPECT_EQ(texture, nullptr);
    }
}

std::string ExpectHostileFileRejected(const std::string& fileName, std::span<const std::uint8_t> headerBytes,
                                      std::size_t fileBytes) {
    // Far below any texture a hostile header could ask for; above a file stream's buffer.
    constexpr std::size_t kSmallAllocation = 64 * 1024;
    std::vector<std::uint8_t> bytes(headerBytes.begin(), headerBytes.end());
    bytes.resize(fileBytes, 0x5A);
    const pelliton::testing::TempDir dir;
    const std::string path = dir.Write(fileName, bytes);

    std::shared_ptr<Direct3DTexture8> texture;
    std::string reason;
    const pelliton::testing::AllocationWatch watch;
    EXPECT_EQ(LoadTextureFile(path, texture, &reason), D3DXERR_INVALIDDATA);
    EXPECT_LT(watch.LargestRequest(), kSmallAllocation);
    EXPECT_EQ(texture, nullptr);
    return reason;
}

}  // namespace pelliton::d3d8::fixtures
