// Titles and filters of the dialogs the window's commands show, besides the open dialog's.
#pragma once

#include <cstddef>
#include <string_view>

#include "ui/OpenDialogTexts.h"

namespace pelliton {

inline constexpr std::string_view kPictureDialogTitle = "Replace Texture";
inline constexpr ui::FileFilter kPictureFilters[] = {
    {"Pictures (*.png;*.tga;*.dds)", "*.png;*.tga;*.dds"},
    {"All Files (*.*)", "*.*"},
};

inline constexpr std::string_view kSaveAsDialogTitle = "Save RSH File As";
inline constexpr ui::FileFilter kSaveAsFilters[] = {
    {"RSH Files (*.rsh)", "*.rsh"},
    {"All Files (*.*)", "*.*"},
};

inline constexpr std::string_view kExportFolderDialogTitle = "Export All Textures To";

}  // namespace pelliton
