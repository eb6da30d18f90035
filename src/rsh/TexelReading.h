// Texel data read into the arrays the exports write from: block-compressed bytes as they are,
// uncompressed texels turned from the file's order into memory order.
#pragma once

#include <cstdint>

#include "common/UninitialisedAllocator.h"
#include "rsh/FieldReader.h"
#include "rsh/RshRecords.h"

namespace pelliton {

// Texel count of an uncompressed data chunk: a quarter of its size, rounded half to even.
std::int64_t UncompressedTexelCount(std::int32_t chunkSize);

// Each fills an array already sized, from the reader's position. A failed read empties the array,
// so that no uninitialised texels are left behind, and throws PellitonError.
void ReadBlockTexels(FieldReader& file, UninitialisedBytes& texels);
void ReadPixels(FieldReader& file, RshPixelArray& pixels);

}  // namespace pelliton
