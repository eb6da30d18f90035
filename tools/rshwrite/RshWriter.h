// Builds RSH file bytes from records, for the sample generator and the tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rsh/RshRecords.h"

namespace pelliton {

// The records of a well-formed texture file with the usual tags, names and sizes.
// dataSize is the data chunk's ChunkSize.
RshRecords MakeTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height, std::int32_t mipLevels,
                          std::int32_t dataSize);

// Writes the records field by field in file order. Each ChunkName is written as its raw bytes,
// whatever its NameLength says, so that tests can build inconsistent files; texelData follows
// the data chunk's header unchanged.
std::vector<std::uint8_t> WriteRshBytes(const RshRecords& records, std::span<const std::uint8_t> texelData);

// Writes bytes to the file at path (UTF-8 text), replacing it; throws PellitonError on failure.
void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pelliton
