// Encodes pictures and their MIP chains as DXT blocks.
#pragma once

#include <cstdint>
#include <vector>

#include "common/InOrderWork.h"
#include "common/RowsReady.h"
#include "picture/ParallelRows.h"
#include "picture/RgbaPicture.h"

namespace pelliton {

// The blocks of one level in the format fourCC (dds::kDxt1, kDxt3 or kDxt5), rows of blocks from the
// top down, encoded on up to `threads` threads; the bytes do not depend on the thread count. DXT1
// keeps one bit of alpha: texels with alpha below 128 become transparent black.
std::vector<std::uint8_t> EncodeDxt(const RgbaPicture& picture, std::uint32_t fourCC, int threads = CoreCount());

// The blocks of the first `levels` levels of the picture's MIP chain (MipChain.h), largest first. Each
// level is made from the one above and dropped once encoded, so that at most two are held at once.
// With decoded, the picture is still being decoded: each row of blocks waits for its rows, and when
// the decoding is abandoned the chain is left unmade and empty.
std::vector<std::uint8_t> EncodeDxtChain(const RgbaPicture& picture, std::uint32_t fourCC, int levels,
                                         int threads = CoreCount(), const RowsReady* decoded = nullptr);

}  // namespace pelliton
