// The texture list: a report-view list control with a row for each texture of the open file.
#include "win32/TextureList.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "ui/FileDialogTexts.h"
#include "win32/Controls.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

constexpr int kMinimumNameWidth = 40;

// The name takes the width the others leave; they are as wide as their widest text.
constexpr auto& kColumns = ui::kTextureListColumns;

// A row that cannot be shown or exported says why where its format stands.
std::array<std::wstring, std::size(kColumns)> Cells(const TextureRow& row) {
    const std::string format = row.problem.empty() ? row.format : row.format + ": " + row.problem;
    return {Utf8ToWide(row.name), Utf8ToWide(format),
            std::to_wstring(row.width) + L" x " + std::to_wstring(row.height), std::to_wstring(row.mipLevels)};
}

}  // namespace

void TextureList::Create(HWND parent, const ui::PixelRect& place, int id) {
    hwnd_ = CreateControl(parent, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, place,
                          id, WS_EX_CLIENTEDGE);
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP,
                 LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        std::wstring title = Utf8ToWide(kColumns[static_cast<std::size_t>(i)]);
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_SUBITEM;
        header.pszText = title.data();
        header.iSubItem = i;
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&header));
    }
    FitColumns();
}

void TextureList::Place(const ui::PixelRect& place) {
    MoveWindow(hwnd_, place.left, place.top, place.width, place.height, TRUE);
    FitColumns();
}

// The client area leaves out a vertical scroll bar once the rows need one.
void TextureList::FitColumns() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int nameWidth = client.right;
    for (int i = 1; i < static_cast<int>(std::size(kColumns)); ++i) {
        SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), LVSCW_AUTOSIZE_USEHEADER);
        nameWidth -= static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    }
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, 0, std::max(nameWidth, kMinimumNameWidth));
}

void TextureList::Show(std::span<const TextureRow> rows, std::optional<std::size_t> selected) {
    showing_ = true;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::array<std::wstring, std::size(kColumns)> cells = Cells(rows[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = cells[0].data();
        SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (std::size_t column = 1; column < cells.size(); ++column) {
            item.iSubItem = static_cast<int>(column);
            item.pszText = cells[column].data();
            SendMessageW(hwnd_, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (selected && *selected < rows.size()) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, *selected, reinterpret_cast<LPARAM>(&state));
        SendMessageW(hwnd_, LVM_ENSUREVISIBLE, *selected, FALSE);
    }
    FitColumns();
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    showing_ = false;
}

std::optional<std::size_t> TextureList::SelectedByUser(const NMHDR& notification) const {
    if (showing_ || notification.hwndFrom != hwnd_ || notification.code != LVN_ITEMCHANGED) return std::nullopt;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(notification);
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
    if (!nowSelected || change.iItem < 0) return std::nullopt;
    return static_cast<std::size_t>(change.iItem);
}

}  // namespace pelliton::win32
