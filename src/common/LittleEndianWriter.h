// Writes little-endian fields into a fixed byte buffer, in order.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <span>

namespace pelliton {

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::span<std::uint8_t> out) : out_(out) {}

    void UInt8(std::uint8_t value) {
        assert(at_ < out_.size());
        out_[at_++] = value;
    }
    void Int16(std::int16_t value) { Bytes(static_cast<std::uint16_t>(value), 2); }
    void Int32(std::int32_t value) { Bytes(static_cast<std::uint32_t>(value), 4); }
    void Chars(const std::array<char, 4>& chars) {
        for (const char c : chars) UInt8(static_cast<std::uint8_t>(c));
    }
    // Every header is written whole; a field too many or too few is a mistake in our code.
    void ExpectFull() const { assert(at_ == out_.size()); }

private:
    void Bytes(std::uint32_t bits, int count) {
        for (int i = 0; i < count; ++i) UInt8(static_cast<std::uint8_t>(bits >> (8 * i)));
    }

    std::span<std::uint8_t> out_;
    std::size_t at_ = 0;
};

}  // namespace pelliton
