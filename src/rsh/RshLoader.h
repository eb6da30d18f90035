// Reads the seven records of an RSH file and its texel data front to back, logging as it goes.
#pragma once

#include <cstdint>

#include "common/DebugLog.h"
#include "rsh/RshInputFile.h"
#include "rsh/modRSH.h"

namespace pelliton {

// Texel count of an uncompressed data chunk: a quarter of its size, rounded half to even.
std::int64_t UncompressedTexelCount(std::int32_t chunkSize);

// Fills every record of rsh from the file's current position and logs their fields. A short or
// hostile file throws PellitonError before any allocation it cannot justify; the log then holds
// the lines written so far.
void ReadRshRecords(RshInputFile& file, modRSH& rsh, DebugLog& log);

}  // namespace pelliton
