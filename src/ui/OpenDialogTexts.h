// The open dialog's title and filters as the main window shows them.
#pragma once

#include <cstddef>
#include <string_view>

namespace pelliton::ui {

struct FileFilter {
    std::string_view label;
    std::string_view pattern;  // as Windows reads it: "*.*" is every file, letter case does not count
};

inline constexpr std::string_view kOpenDialogTitle = "Open RSH File";

inline constexpr FileFilter kOpenFilters[] = {
    {"All Files (*.*)", "*.*"},
    {"RSH Files (*.rsh)", "*.rsh"},
};
inline constexpr std::size_t kPreselectedOpenFilter = 1;  // counted from 0: "RSH Files (*.rsh)"

}  // namespace pelliton::ui
