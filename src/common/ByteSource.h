// Bytes to be read at any offset: a file that is read only where it is needed, or bytes in memory.
// Large bodies pass from a source to an output without being read in whole.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "common/PellitonError.h"

namespace pelliton {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t Size() const = 0;
    // Fills into from offset; throws PellitonError when the range is not all there.
    virtual void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
    // A descriptor of the open file that the kernel can copy from, or -1.
    virtual int Descriptor() const { return -1; }

protected:
    void RequireRange(std::uint64_t offset, std::uint64_t length) const {
        if (offset > Size() || length > Size() - offset) {
            throw PellitonError("the data ends at byte " + std::to_string(Size()) + ", before byte " +
                                std::to_string(offset) + " + " + std::to_string(length));
        }
    }
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const override {
        RequireRange(offset, into.size());
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Content for an output: bytes in memory, or a range of a source that is copied when written.
struct ByteRange {
    std::span<const std::uint8_t> bytes;
    const ByteSource* source = nullptr;
    std::uint64_t offset = 0;  // in source
    std::uint64_t length = 0;  // in source

    static ByteRange InMemory(std::span<const std::uint8_t> bytes) { return {bytes, nullptr, 0, 0}; }
    static ByteRange Of(const ByteSource& source, std::uint64_t offset, std::uint64_t length) {
        return {{}, &source, offset, length};
    }
    std::uint64_t Size() const { return source == nullptr ? bytes.size() : length; }
};

}  // namespace pelliton
