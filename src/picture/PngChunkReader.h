// Walks the chunks of a PNG file in order, reading its source a bounded piece at a time. Every
// chunk must lie inside the file; the data of a chunk that is read is checked against its CRC.
// Chunks that are skipped are not read at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/ByteSource.h"
#include "picture/SequentialReader.h"

namespace pelliton {

struct PngChunk {
    std::uint32_t type = 0;
    std::uint32_t length = 0;  // of its data
    std::uint64_t at = 0;      // where its frame starts in the file
};

// A chunk type for messages: its four letters, or its number when they are not letters.
std::string PngChunkName(std::uint32_t type);
// The refusal of a chunk whose data does not match its CRC.
PellitonError PngChunkCrcError(std::string_view name, std::uint32_t type, std::uint64_t at);

class PngChunkReader {
public:
    // Starts at byte start of file, where a chunk begins; name is the file's, for messages.
    PngChunkReader(const ByteSource& file, std::uint64_t start, std::string_view name);

    // Moves past the current chunk to the next and returns it. Throws when the file ends before
    // the end chunk (IEND) or the chunk declares more than the file holds.
    const PngChunk& Next();
    // The next piece of the current chunk's data; empty at its end, once the CRC has been checked.
    std::span<const std::uint8_t> ReadPiece();
    // The current chunk's data, whole, its CRC checked; the caller has bounded its length.
    std::vector<std::uint8_t> ReadAll();
    // Reads the rest of the current chunk's data, unkept, to check its CRC.
    void FinishChunk();

private:
    void CheckCrc();

    SequentialReader reader_;
    std::string_view name_;
    PngChunk chunk_;
    bool started_ = false;
    std::uint32_t dataLeft_ = 0;  // of the current chunk, not yet read
    bool crcLeft_ = false;        // the current chunk's CRC is not yet read
    std::uint32_t crc_ = 0;       // of the current chunk's type and the data read so far
};

}  // namespace pelliton
