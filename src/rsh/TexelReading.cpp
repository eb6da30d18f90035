#include "rsh/TexelReading.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "rsh/TexelOrder.h"

namespace pelliton {

namespace {

// Reads a slice at a time and hands each slice to treat while it is still in the cache.
template <typename TexelArray, typename Treatment>
void ReadOrClear(FieldReader& file, TexelArray& texels, Treatment treat) {
    constexpr std::size_t kSliceBytes = 256 << 10;
    const auto bytes = std::as_writable_bytes(std::span(texels));
    try {
        for (std::size_t at = 0; at < bytes.size(); at += kSliceBytes) {
            const auto slice = bytes.subspan(at, std::min(kSliceBytes, bytes.size() - at));
            file.ReadBytes(std::span(reinterpret_cast<std::uint8_t*>(slice.data()), slice.size()), "the texel data");
            treat(slice);
        }
    } catch (...) {
        texels.clear();
        throw;
    }
}

}  // namespace

std::int64_t UncompressedTexelCount(std::int32_t chunkSize) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<std::int64_t>(std::nearbyint(chunkSize / 4.0));
}

void ReadBlockTexels(FieldReader& file, UninitialisedBytes& texels) {
    ReadOrClear(file, texels, [](std::span<std::byte>) {});
}

void ReadPixels(FieldReader& file, RshPixelArray& pixels) { ReadOrClear(file, pixels, SwapFirstAndThirdBytes); }

}  // namespace pelliton
