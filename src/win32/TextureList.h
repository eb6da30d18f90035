// The texture list: a report-view list control with a row for each texture of the open file.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

#include "session/WindowSession.h"
#include "ui/Layout.h"

namespace pelliton::win32 {

class TextureList {
public:
    void Create(HWND parent, const ui::PixelRect& place, int id);
    HWND Handle() const { return hwnd_; }
    // Moves the list; the name column takes the width the other columns leave.
    void Place(const ui::PixelRect& place);

    // Shows the rows, that one selected. Selecting it here is not the user's choice: SelectedByUser
    // ignores it.
    void Show(std::span<const TextureRow> rows, std::optional<std::size_t> selected);

    // The row the user has just selected, from a notification the list sent its parent.
    std::optional<std::size_t> SelectedByUser(const NMHDR& notification) const;

private:
    void FitColumns();

    HWND hwnd_ = nullptr;
    bool showing_ = false;  // rows are being put in
};

}  // namespace pelliton::win32
