#include "preview/d3d8/TexelRows.h"

#include <cassert>
#include <numeric>

#include "common/PellitonError.h"

namespace pelliton::d3d8 {

TexelRows::TexelRows(int rows, std::size_t rowBytes, UninitialisedBytes all)
    : rowBytes_(rowBytes), rows_(std::move(all)), place_(static_cast<std::size_t>(rows)) {
    assert(rows_.size() == place_.size() * rowBytes);
    std::iota(place_.begin(), place_.end(), 1U);
    used_ = static_cast<std::uint32_t>(rows);
}

TexelRows::TexelRows(int rows, std::size_t rowBytes, ReadRow read)
    : rowBytes_(rowBytes), read_(std::move(read)), rows_(static_cast<std::size_t>(rows) * rowBytes),
      place_(static_cast<std::size_t>(rows)) {}

const std::uint8_t* TexelRows::Row(int row) const {
    std::uint32_t& place = place_[static_cast<std::size_t>(row)];
    if (place == 0) {
        if (failure_) throw PellitonError(*failure_);  // one failure is enough: the file is not asked again
        if (!read_) throw PellitonError("its file was let go before row " + std::to_string(row) + " was read");
        try {
            read_(row, std::span(rows_.data() + used_ * rowBytes_, rowBytes_));
        } catch (const PellitonError& error) {
            failure_ = error.what();
            throw;
        }
        place = ++used_;
    }
    return rows_.data() + (place - 1) * rowBytes_;
}

}  // namespace pelliton::d3d8
