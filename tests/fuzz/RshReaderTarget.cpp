// The window's RSH reader on any bytes, read from memory through the byte source a file is read by.
#include "common/PellitonError.h"
#include "fuzz/FuzzTarget.h"
#include "rsh/RshReader.h"
#include "support/RecordingLog.h"

namespace pelliton::fuzz {

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const MemorySource file(input);
    RshRecords rsh;
    testing::RecordingView log;
    std::uint64_t end = 0;
    try {
        end = ReadRshRecords(file, rsh, log);
    } catch (const PellitonError&) {
        return;  // the one way the reader may refuse a file
    }
    Expect(end <= input.size(), "the reader stays inside the file");
    const TextureFormat* format = FindTextureFormat(rsh.attributes.imageType);
    if (format == nullptr) return;
    // The texels come from the file: none may be made up beyond what the data chunk holds.
    const std::uint64_t texelBytes = format->layout == TexelLayout::BlockCompressed
                                         ? rsh.blockTexels.size()
                                         : rsh.pixels.size() * sizeof(RshPixel);
    Expect(texelBytes > 0 && texelBytes <= input.size(), "the texel data is no larger than the file");
}

}  // namespace pelliton::fuzz
