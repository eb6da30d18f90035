// The RSH reader on any bytes, read from a file as the open road reads it.
#include <string>

#include "common/PellitonError.h"
#include "fuzz/FuzzTarget.h"
#include "rsh/RshInputFile.h"
#include "rsh/RshLoader.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"

namespace pelliton::fuzz {

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const testing::TempDir folder;
    const std::string path = folder.Write("input.rsh", {input.begin(), input.end()});
    RshInputFile file(path);
    modRSH rsh;
    testing::RecordingView log;
    try {
        ReadRshRecords(file, rsh, log);
    } catch (const PellitonError&) {
        return;  // the one way the reader may refuse a file
    }
    Expect(file.offset() <= file.size(), "the reader stays inside the file");
    const TextureFormat* format = FindTextureFormat(rsh.AttrChunk.ImageType);
    if (format == nullptr) return;
    // The texels come from the file: none may be made up beyond what the data chunk holds.
    const std::int64_t texelBytes = format->layout == TexelLayout::BlockCompressed
                                        ? static_cast<std::int64_t>(rsh.TexelBytes.size())
                                        : static_cast<std::int64_t>(rsh.TexelPixels.size()) * 4;
    Expect(texelBytes > 0 && texelBytes <= file.size(), "the texel data is no larger than the file");
}

}  // namespace pelliton::fuzz
