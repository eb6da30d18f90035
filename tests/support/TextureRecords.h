// Texture records for tests: built in memory as the loader leaves them, exported as the tool does,
// or read from an RSH file as the open road reads it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "rsh/RshRecords.h"

namespace pelliton::testing {

// A block-compressed texture; texelBytes hold every level, largest first.
RshRecords BlockTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height,
                           const std::vector<std::uint8_t>& texelBytes, std::int32_t mipLevels = 1);

// An uncompressed texture of 0xAARRGGBB texels in stored order (bottom row first).
RshRecords PixelTextureRecords(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& stored);

// Exports the records into folder as if loaded from sourceName; returns the written file's path.
std::filesystem::path ExportRecords(const RshRecords& rsh, const std::filesystem::path& folder,
                                    const std::string& sourceName = "texture.rsh");

struct ReadRecords {
    RshRecords rsh;
    std::vector<std::string> log;
    std::int64_t unread = 0;  // bytes of the file left after the records
};

// The loaded texel bytes as a plain vector, to compare with expected bytes.
inline std::vector<std::uint8_t> ByteVector(const UninitialisedBytes& bytes) { return {bytes.begin(), bytes.end()}; }

// Reads the file's records; throws PellitonError where the reader does.
ReadRecords ReadRecordsFile(const std::string& path);

}  // namespace pelliton::testing
