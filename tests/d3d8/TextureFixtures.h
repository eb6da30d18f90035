// Shared by the texture tests: textures from texels in memory, random block data, and DDS and TGA
// files written by our exporter.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "preview/d3d8/Direct3DTexture8.h"
#include "support/TempDir.h"

namespace pelliton::d3d8::fixtures {

// The colour bits of a texel 0xAARRGGBB: all a texture shows.
inline constexpr D3DCOLOR kColourBits = 0x00FFFFFFU;

// A texture of width x height texels 0xAARRGGBB, rows top to bottom, held in memory.
std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels);

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::mt19937& random);

// The RSH image type of a D3DFMT_DXTn format.
std::int32_t ImageTypeOf(DWORD format);

// Compares every texel, naming the first that differs.
void ExpectTexels(const Direct3DTexture8& texture, const std::vector<D3DCOLOR>& expected);

// A DDS file holding texelBytes (level 0 and any further levels), written by ExtractTexture.
std::string WriteExportedDds(const pelliton::testing::TempDir& dir, DWORD format, int width, int height, int mipLevels,
                             const std::vector<std::uint8_t>& texelBytes);

// A TGA file of width x height 0xAARRGGBB texels in stored order, written by ExtractTexture.
std::string WriteExportedTga(const pelliton::testing::TempDir& dir, int width, int height,
                             const std::vector<D3DCOLOR>& stored);

// Every file made of a leading part of whole, shorter than whole, fails to load and leaves no texture.
void ExpectEveryTruncationFails(const pelliton::testing::TempDir& dir, const std::vector<std::uint8_t>& whole);

// A file of the header bytes padded (or cut) to fileBytes fails to load, leaves no texture and
// asks for no allocation larger than a small buffer: hostile sizes are caught before any allocation.
// Returns the reason the loader gives.
std::string ExpectHostileFileRejected(const std::string& fileName, std::span<const std::uint8_t> headerBytes,
                                      std::size_t fileBytes);

}  // namespace pelliton::d3d8::fixtures
