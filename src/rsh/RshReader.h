// Reads the seven records of an RSH file and its texel data front to back, logging as it goes: what
// the window shows of a file.
#pragma once

#include "common/ByteSource.h"
#include "common/DebugLog.h"
#include "rsh/RshRecords.h"

namespace pelliton {

// Fills every record of rsh from the start of file and logs their fields. A short or hostile file
// throws PellitonError before any allocation it cannot justify; the log then holds the lines
// written so far. Returns the offset after the last byte read.
std::uint64_t ReadRshRecords(const ByteSource& file, RshRecords& rsh, DebugLog& log);

}  // namespace pelliton
