#include "picture/SequentialReader.h"

#include <algorithm>

namespace pelliton {

SequentialReader::SequentialReader(const ByteSource& source, std::uint64_t start, std::size_t bufferBytes)
    : source_(source), position_(std::min(start, source.Size())) {
    // A small file needs no more buffer than it has bytes.
    buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(bufferBytes, Remaining())));
}

std::span<const std::uint8_t> SequentialReader::Take(std::size_t most) {
    if (buffered_.empty()) {
        const auto fill = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), Remaining()));
        source_.ReadAt(position_, std::span(buffer_).first(fill));
        buffered_ = std::span(buffer_).first(fill);
    }
    const std::span<const std::uint8_t> taken = buffered_.first(std::min(most, buffered_.size()));
    buffered_ = buffered_.subspan(taken.size());
    position_ += taken.size();
    return taken;
}

void SequentialReader::ReadExact(std::span<std::uint8_t> into) {
    std::size_t done = 0;
    while (done < into.size()) {
        const std::span<const std::uint8_t> piece = Take(into.size() - done);
        if (piece.empty()) throw PellitonError("a sequential read went past the end of its source");
        std::ranges::copy(piece, into.begin() + static_cast<std::ptrdiff_t>(done));
        done += piece.size();
    }
}

void SequentialReader::Skip(std::uint64_t count) {
    count = std::min(count, Remaining());
    if (count <= buffered_.size()) {
        buffered_ = buffered_.subspan(static_cast<std::size_t>(count));
    } else {
        buffered_ = {};
    }
    position_ += count;
}

}  // namespace pelliton
