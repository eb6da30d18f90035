// Reads little-endian fields in order from bytes of a file: file data has no alignment, so values
// are assembled byte by byte.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pelliton {

// The caller sizes the span to the fields it reads; reading past it is a mistake in our code.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t UInt8() {
        assert(at_ < bytes_.size());
        return bytes_[at_++];
    }
    std::uint32_t UInt32() { return static_cast<std::uint32_t>(Bits(4)); }

private:
    std::uint64_t Bits(int count) {
        std::uint64_t bits = 0;
        for (int i = 0; i < count; ++i) bits |= std::uint64_t{UInt8()} << (8 * i);
        return bits;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

}  // namespace pelliton
