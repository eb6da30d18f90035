#include "support/TextureRecords.h"

#include "common/FileSource.h"
#include "export/ExtractTexture.h"
#include "rsh/RshReader.h"
#include "rshwrite/RshWriter.h"
#include "support/RecordingLog.h"

namespace pelliton::testing {

RshRecords BlockTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height,
                           const std::vector<std::uint8_t>& texelBytes, std::int32_t mipLevels) {
    RshRecords rsh =
        MakeTextureRecords(imageType, width, height, mipLevels, static_cast<std::int32_t>(texelBytes.size()));
    rsh.blockTexels.assign(texelBytes.begin(), texelBytes.end());
    return rsh;
}

RshRecords PixelTextureRecords(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& stored) {
    RshRecords rsh =
        MakeTextureRecords(kImageTypeUncompressed, width, height, 1, static_cast<std::int32_t>(stored.size() * 4));
    for (const std::uint32_t texel : stored) {
        rsh.pixels.push_back(RshPixel{static_cast<std::uint8_t>(texel), static_cast<std::uint8_t>(texel >> 8),
                                           static_cast<std::uint8_t>(texel >> 16),
                                           static_cast<std::uint8_t>(texel >> 24)});
    }
    return rsh;
}

std::filesystem::path ExportRecords(const RshRecords& rsh, const std::filesystem::path& folder,
                                    const std::string& sourceName) {
    ExportState state;
    RecordingView log;
    ExtractTexture(rsh, sourceName, folder, state, log);
    return folder / state.exportPath;
}

ReadRecords ReadRecordsFile(const std::string& path) {
    const FileSource file(path);
    ReadRecords read;
    RecordingView log;
    const std::uint64_t end = ReadRshRecords(file, read.rsh, log);
    read.log = std::move(log.lines);
    read.unread = static_cast<std::int64_t>(file.Size() - end);
    return read;
}

}  // namespace pelliton::testing
