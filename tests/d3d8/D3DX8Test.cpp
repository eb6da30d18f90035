// The D3DX8 entry point the preview calls: it loads through the texture loader and needs a device
// only because the call takes one.
#include <gtest/gtest.h>

#include "d3d8/DeviceTestSupport.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/D3DX8.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::WriteExportedDds;
using pelliton::testing::RecordingPane;
using pelliton::testing::TempDir;

TEST(D3DX8, CreatesTexturesFromFilesAndFailsWithoutTouchingTheOutput) {
    TempDir dir;
    RecordingPane pane;
    const auto device = testing::MakeDevice(pane);
    ASSERT_NE(device, nullptr);
    D3DX8 d3dx;

    // One 4 x 4 DXT1 block of opaque red: colour0 = colour1 = 0xF800, all indices 0.
    const std::vector<std::uint8_t> redBlock = {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(d3dx.CreateTextureFromFile(*device, WriteExportedDds(dir, D3DFMT_DXT1, 4, 4, 1, redBlock), texture),
              D3D_OK);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->TexelColour(0, 0), 0xFF0000U);

    const auto loaded = texture;
    EXPECT_EQ(d3dx.CreateTextureFromFile(*device, (dir.path() / "missing.tga").string(), texture), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(texture, loaded);
}

}  // namespace
}  // namespace pelliton::d3d8
