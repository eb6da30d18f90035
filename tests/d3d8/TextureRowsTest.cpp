// A texture loaded from a file reads each row when it is first sampled: what a file that another
// program shortens meanwhile does, and what stays once the texture lets its file go.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/DdsFormat.h"
#include "common/PellitonError.h"
#include "d3d8/DeviceTestSupport.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"
#include "support/OpenFiles.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::WriteExportedDds;
using fixtures::WriteExportedTga;
using pelliton::testing::TempDir;

// Colour i of eight, each channel off or full, so that 5:6:5 keeps it exactly.
D3DCOLOR Pure(int i) { return (i & 4 ? 0xFF0000U : 0) | (i & 2 ? 0x00FF00U : 0) | (i & 1 ? 0x0000FFU : 0); }

// 8 x 16 texels in blocks of one colour each, block (bx, by) Pure(bx + 2 * by). DXT3 and DXT5
// blocks lead with an alpha half that would read as other colours, were it taken for the colours.
constexpr int kBlockRows = 4;
std::string WriteBlocks(const TempDir& dir, DWORD format) {
    std::vector<std::uint8_t> texels;
    for (int block = 0; block < 2 * kBlockRows; ++block) {
        if (format != D3DFMT_DXT1) texels.insert(texels.end(), {0xFF, 0x00, 0x49, 0x92, 0x24, 0x49, 0x92, 0x24});
        const auto colour = static_cast<std::uint16_t>((block & 4 ? 0xF800 : 0) | (block & 2 ? 0x07E0 : 0) |
                                                       (block & 1 ? 0x001F : 0));
        texels.insert(texels.end(), {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8), 0, 0,
                                     0, 0, 0, 0});
    }
    return WriteExportedDds(dir, format, 8, 4 * kBlockRows, 1, texels);
}

D3DCOLOR BlockColour(int x, int y) { return Pure(x / 4 + 2 * (y / 4)); }

// The reason of the PellitonError that sampling throws; nothing when it throws none.
std::optional<std::string> Failure(const Direct3DTexture8& texture, int x, int y) {
    try {
        texture.TexelColour(x, y);
    } catch (const PellitonError& error) {
        return error.what();
    }
    return std::nullopt;
}

TEST(TextureRows, ARowCutFromTheFileAfterLoadingFailsAndSoDoesEveryRowNotYetRead) {
    for (const DWORD format : {D3DFMT_DXT1, D3DFMT_DXT5}) {
        SCOPED_TRACE(format == D3DFMT_DXT1 ? "DXT1" : "DXT5");
        TempDir dir;
        const std::string path = WriteBlocks(dir, format);
        std::shared_ptr<Direct3DTexture8> texture;
        ASSERT_EQ(LoadTextureFile(path, texture), D3D_OK);
        EXPECT_EQ(texture->TexelColour(7, 3), BlockColour(7, 3));

        // Block rows 0 and 1 stay whole; row 2 loses its last byte, row 3 all of it.
        const std::size_t rowBytes = 2 * dds::BlockBytes(format);
        const auto whole = std::filesystem::file_size(path);
        std::filesystem::resize_file(path, sizeof(dds::FileHeader) + 3 * rowBytes - 1);
        EXPECT_EQ(texture->TexelColour(0, 0), BlockColour(0, 0));
        EXPECT_EQ(texture->TexelColour(4, 7), BlockColour(4, 7));
        EXPECT_EQ(texture->ReadFailure(), std::nullopt);

        const std::optional<std::string> reason = Failure(*texture, 0, 8);
        ASSERT_NE(reason, std::nullopt) << "a row the file no longer holds was sampled";
        EXPECT_NE(reason->find("ends before"), std::string::npos) << *reason;
        EXPECT_EQ(texture->ReadFailure(), reason);
        // Once a row has failed, the file is not asked again, even when it has grown back.
        std::filesystem::resize_file(path, whole);
        EXPECT_EQ(Failure(*texture, 7, 15), reason);
        EXPECT_EQ(Failure(*texture, 3, 11), reason);
        EXPECT_EQ(texture->TexelColour(5, 6), BlockColour(5, 6));
    }
}

TEST(TextureRows, LettingTheFileGoClosesItKeepsTheRowsReadAndRefusesTheOthers) {
    TempDir dir;
    // Our exporter stores the TGA's bottom row first: its top row is read from the end of the file.
    const std::vector<D3DCOLOR> stored = {Pure(1), Pure(2), Pure(3), Pure(4), Pure(5), Pure(6), Pure(7), Pure(0)};
    for (const std::string& path : {WriteBlocks(dir, D3DFMT_DXT5), WriteExportedTga(dir, 2, 4, stored)}) {
        SCOPED_TRACE(path);
        std::shared_ptr<Direct3DTexture8> texture, reference;
        ASSERT_EQ(LoadTextureFile(path, reference), D3D_OK);
        const int right = reference->Width() - 1, bottom = reference->Height() - 1;
        const D3DCOLOR expected[] = {reference->TexelColour(0, 0), reference->TexelColour(right, 0)};
        reference.reset();
        ASSERT_NE(expected[0], expected[1]);

        const auto before = pelliton::testing::OpenFileCount();
        ASSERT_EQ(LoadTextureFile(path, texture), D3D_OK);
        EXPECT_EQ(texture->TexelColour(0, 0), expected[0]);
        texture->ReleaseFile();
        EXPECT_EQ(pelliton::testing::OpenFileCount(), before);
        std::filesystem::remove(path);

        EXPECT_EQ(texture->TexelColour(0, 0), expected[0]);
        EXPECT_EQ(texture->TexelColour(right, 0), expected[1]);
        EXPECT_NE(Failure(*texture, 0, bottom), std::nullopt);
    }
}

// The device turns a row the file no longer holds into a failed draw, and the scene goes on.
TEST(TextureRows, DrawingFromAShortenedFileFailsAsInvalidDataAndTheTextureSaysWhy) {
    TempDir dir;
    const std::string path = WriteBlocks(dir, D3DFMT_DXT1);
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(path, texture), D3D_OK);
    std::filesystem::resize_file(path, sizeof(dds::FileHeader));

    pelliton::testing::RecordingPane pane(16, 16);
    const auto device = testing::MakeDevice(pane);
    testing::SetPreviewStates(*device);
    device->SetTransform(D3DTS_PROJECTION, testing::ExactProjection());
    device->SetTexture(0, texture);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    const testing::Quad quad = testing::QuadStrip(-0.5F, 0.5F, 0.5F, -0.5F, 1);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(testing::TexturedVertex)),
              D3DXERR_INVALIDDATA);
    ASSERT_NE(texture->ReadFailure(), std::nullopt);
    EXPECT_NE(texture->ReadFailure()->find("ends before"), std::string::npos) << *texture->ReadFailure();
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

}  // namespace
}  // namespace pelliton::d3d8
