#include "preview/d3d8/TexelRows.h"

#include "common/PellitonError.h"

namespace pelliton::d3d8 {

TexelRows::TexelRows(int rows, std::size_t rowBytes, RowReader read)
    : rowBytes_(rowBytes), read_(std::move(read)), rows_(static_cast<std::size_t>(rows) * rowBytes),
      place_(static_cast<std::size_t>(rows)) {}

const std::uint8_t* TexelRows::ReadRow(int row) const {
    if (failure_) throw PellitonError(*failure_);  // one failure is enough: the file is not asked again
    if (!read_) throw PellitonError("its file was let go before row " + std::to_string(row) + " was read");
    std::uint8_t* into = rows_.data() + used_ * rowBytes_;
    try {
        read_(row, std::span(into, rowBytes_));
    } catch (const PellitonError& error) {
        failure_ = error.what();
        throw;
    }
    place_[static_cast<std::size_t>(row)] = ++used_;
    return into;
}

}  // namespace pelliton::d3d8
