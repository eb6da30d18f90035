// The header of the uncompressed 32-bit TGA files we write.
#pragma once

#include "common/TgaFormat.h"
#include "rsh/RshRecords.h"

namespace pelliton {

// Descriptor 0: no attribute bits are declared and the origin is the lower left, so readers
// take the first stored row as the bottom row. Rows are written as the texture stores them.
// Throws PellitonError when the width or height leaves the 16-bit signed range.
tga::FileHeader MakeTgaHeader(const TextureAttributes& attr);

}  // namespace pelliton
