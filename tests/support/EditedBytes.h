// The bytes an edited chunk tree is written as, gathered in memory for a test to compare.
#pragma once

#include <cstdint>
#include <vector>

#include "rsh/ChunkTreeEdit.h"

namespace pelliton::testing {

inline std::vector<std::uint8_t> EditedBytes(const EditedFile& edited) {
    std::vector<std::uint8_t> bytes;
    for (const ByteRange& piece : edited.pieces) {
        if (piece.source == nullptr) {
            bytes.insert(bytes.end(), piece.bytes.begin(), piece.bytes.end());
        } else {
            const std::size_t at = bytes.size();
            bytes.resize(at + static_cast<std::size_t>(piece.length));
            piece.source->ReadAt(piece.offset, std::span(bytes).subspan(at));
        }
    }
    return bytes;
}

}  // namespace pelliton::testing
