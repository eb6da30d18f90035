// Uncompressed textures: texels by row and column, their colour without alpha.
#include <gtest/gtest.h>

#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {
namespace {

TEST(ArgbTexture, TexelsAreAddressedRowByRowFromTheTop) {
    const auto texture = MakeArgbTexture(2, 2, D3DFMT_A8R8G8B8, {0x10FF0000, 0x2000FF00, 0x300000FF, 0x40FFFFFF});
    EXPECT_EQ(texture->Width(), 2);
    EXPECT_EQ(texture->Height(), 2);
    EXPECT_EQ(texture->TexelColour(0, 0), 0xFF0000U);
    EXPECT_EQ(texture->TexelColour(1, 0), 0x00FF00U);
    EXPECT_EQ(texture->TexelColour(0, 1), 0x0000FFU);
    EXPECT_EQ(texture->TexelColour(1, 1), 0xFFFFFFU);
}

TEST(ArgbTexture, CountsItsLiveObjects) {
    const int before = Direct3DTexture8::Live();
    {
        const auto texture = MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0});
        EXPECT_EQ(Direct3DTexture8::Live(), before + 1);
    }
    EXPECT_EQ(Direct3DTexture8::Live(), before);
}

}  // namespace
}  // namespace pelliton::d3d8
