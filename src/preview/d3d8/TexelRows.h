// The rows of a texture's level 0 as the texture keeps them: each read from the image file when it
// is first sampled, so that a drawing reads and keeps only the rows it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/UninitialisedAllocator.h"

namespace pelliton::d3d8 {

class TexelRows {
public:
    // Fills one row, as kept, from the file; throws PellitonError when it cannot.
    using RowReader = std::function<void(int row, std::span<std::uint8_t> into)>;

    // No row yet: each is read on first use.
    TexelRows(int rows, std::size_t rowBytes, RowReader read);

    // The row's bytes. A row that cannot be read throws PellitonError, and its reason is kept.
    const std::uint8_t* Row(int row) const {
        const std::uint32_t place = place_[static_cast<std::size_t>(row)];
        return place != 0 ? rows_.data() + (place - 1) * rowBytes_ : ReadRow(row);
    }

    // Lets the file go: rows read so far stay, any other row is then an error.
    void ReleaseFile() { read_ = nullptr; }
    const std::optional<std::string>& ReadFailure() const { return failure_; }

private:
    const std::uint8_t* ReadRow(int row) const;

    std::size_t rowBytes_;
    RowReader read_;
    // Rows in the order they were first used; memory pages become resident only as rows arrive.
    mutable UninitialisedBytes rows_;
    mutable std::vector<std::uint32_t> place_;  // per row: 1 + its place in rows_, 0 while unread
    mutable std::uint32_t used_ = 0;
    mutable std::optional<std::string> failure_;
};

}  // namespace pelliton::d3d8
