// Reads a source front to back through a buffer of bounded size, so that a long file is read in a
// few large pieces, however small the records it is made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/ByteSource.h"

namespace pelliton {

// A buffer of this size keeps the reads few and the memory small.
inline constexpr std::size_t kSequentialReadBytes = std::size_t{1} << 17;

class SequentialReader {
public:
    // Reads from byte start on, through a buffer of at most bufferBytes.
    SequentialReader(const ByteSource& source, std::uint64_t start, std::size_t bufferBytes);

    std::uint64_t Position() const { return position_; }
    std::uint64_t Remaining() const { return source_.Size() - position_; }

    // The next bytes, at most most of them and at least one while any remain; they stay valid
    // until the next call.
    std::span<const std::uint8_t> Take(std::size_t most);
    // Fills into whole; the caller has checked that Remaining() holds it.
    void ReadExact(std::span<std::uint8_t> into);
    // Moves on by count bytes, at most Remaining().
    void Skip(std::uint64_t count);

private:
    const ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    std::span<const std::uint8_t> buffered_;  // read, not yet taken
    std::uint64_t position_;
};

}  // namespace pelliton
