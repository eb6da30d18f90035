#include "support/TextureRecords.h"

#include "export/ExtractTexture.h"
#include "rsh/RshLoader.h"
#include "rshwrite/RshWriter.h"
#include "support/RecordingLog.h"

namespace pelliton::testing {

modRSH BlockTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height,
                           const std::vector<std::uint8_t>& texelBytes, std::int32_t mipLevels) {
    modRSH rsh =
        MakeTextureRecords(imageType, width, height, mipLevels, static_cast<std::int32_t>(texelBytes.size()));
    rsh.TexelBytes.assign(texelBytes.begin(), texelBytes.end());
    return rsh;
}

modRSH PixelTextureRecords(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& stored) {
    modRSH rsh =
        MakeTextureRecords(kImageTypeUncompressed, width, height, 1, static_cast<std::int32_t>(stored.size() * 4));
    for (const std::uint32_t texel : stored) {
        rsh.TexelPixels.push_back(RshPixel{static_cast<std::uint8_t>(texel), static_cast<std::uint8_t>(texel >> 8),
                                           static_cast<std::uint8_t>(texel >> 16),
                                           static_cast<std::uint8_t>(texel >> 24)});
    }
    return rsh;
}

std::filesystem::path ExportRecords(const modRSH& rsh, const std::filesystem::path& folder,
                                    const std::string& sourceName) {
    ExportState state;
    RecordingView log;
    ExtractTexture(rsh, sourceName, folder, state, log);
    return folder / state.ExportPath;
}

ReadRecords ReadRecordsFile(const std::string& path) {
    RshInputFile file(path);
    ReadRecords read;
    RecordingView log;
    ReadRshRecords(file, read.rsh, log);
    read.log = std::move(log.lines);
    read.unread = file.remaining();
    return read;
}

}  // namespace pelliton::testing
