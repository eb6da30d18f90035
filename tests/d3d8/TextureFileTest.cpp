// Loading a texture by path: DDS and TGA told apart by content, and paths that name no readable file.
#include <gtest/gtest.h>

#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::MakeArgbTexture;
using fixtures::WriteExportedDds;
using fixtures::WriteExportedTga;
using pelliton::testing::TempDir;

// A 4 x 4 DXT1 block of one opaque colour: colour0 = colour1 = 0xF800 (red), all indices 0.
const std::vector<std::uint8_t> kRedBlock = {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};

TEST(TextureFile, TellsDdsFromTgaByContentNotByName) {
    TempDir dir;
    const auto dds = std::filesystem::path(WriteExportedDds(dir, D3DFMT_DXT1, 4, 4, 1, kRedBlock));
    const auto tga = std::filesystem::path(WriteExportedTga(dir, 1, 1, {0x80123456}));
    std::filesystem::rename(dds, dir.path() / "block.tga");
    std::filesystem::rename(tga, dir.path() / "pixels.dds");

    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile((dir.path() / "block.tga").string(), texture), D3D_OK);
    EXPECT_EQ(texture->Format(), D3DFMT_DXT1);
    EXPECT_EQ(texture->TexelColour(3, 3), 0xFF0000U);
    ASSERT_EQ(LoadTextureFile((dir.path() / "pixels.dds").string(), texture), D3D_OK);
    EXPECT_EQ(texture->Format(), D3DFMT_A8R8G8B8);
    EXPECT_EQ(texture->TexelColour(0, 0), 0x123456U);
}

TEST(TextureFile, OpensAUtf8PathWithCharactersBeyondAscii) {
    TempDir dir;
    const auto written = std::filesystem::path(WriteExportedTga(dir, 1, 1, {0xFF00FF00}));
    const std::string name =
        "Gr\xC3\xB6\xC3\x9F"
        "e \xE2\x98\x83.tga";  // "Größe ☃.tga"
    std::filesystem::rename(written, dir.path() / std::filesystem::path(std::u8string(name.begin(), name.end())));

    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(dir.path().string() + "/" + name, texture), D3D_OK);
    EXPECT_EQ(texture->TexelColour(0, 0), 0x00FF00U);
}

// The largest side accepted; one texel more is refused (see the hostile-header tests).
TEST(TextureFile, LoadsTexturesWhoseLongSideIsTheLargestAccepted) {
    TempDir dir;
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(
        LoadTextureFile(WriteExportedDds(dir, D3DFMT_DXT1, 16384, 4, 1, std::vector<std::uint8_t>(4096 * 8)), texture),
        D3D_OK);
    EXPECT_EQ(texture->Width(), 16384);
    ASSERT_EQ(LoadTextureFile(WriteExportedTga(dir, 1, 16384, std::vector<D3DCOLOR>(16384)), texture), D3D_OK);
    EXPECT_EQ(texture->Height(), 16384);
}

TEST(TextureFile, FailsOnPathsThatNameNoReadableFileAndLeavesTheOutputAlone) {
    TempDir dir;
    const std::string empty = dir.Write("empty.dds", {});
    struct Case {
        const char* name;
        std::string path;
        HRESULT result;
    };
    const Case cases[] = {
        {"missing file", (dir.path() / "missing.dds").string(), D3DERR_NOTAVAILABLE},
        {"directory", dir.path().string(), D3DERR_NOTAVAILABLE},
        {"empty path", "", D3DERR_NOTAVAILABLE},
        {"empty file", empty, D3DXERR_INVALIDDATA},
    };
    const auto earlier = MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0});
    for (const Case& failing : cases) {
        SCOPED_TRACE(failing.name);
        std::shared_ptr<Direct3DTexture8> texture = earlier;
        EXPECT_EQ(LoadTextureFile(failing.path, texture), failing.result);
        EXPECT_EQ(texture, earlier);
    }
}

}  // namespace
}  // namespace pelliton::d3d8
