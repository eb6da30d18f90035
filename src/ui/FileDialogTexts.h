// The titles and filters of the main window's file dialogs, as both front ends show them.
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
    {"WTP Files (*.wtp)", "*.wtp"},  // team-colour patterns
};
inline constexpr std::size_t kPreselectedOpenFilter = 1;  // counted from 0: "RSH Files (*.rsh)"

inline constexpr std::string_view kPictureDialogTitle = "Replace Texture";
inline constexpr FileFilter kPictureFilters[] = {
    {"Pictures (*.png;*.tga;*.dds)", "*.png;*.tga;*.dds"},
    {"All Files (*.*)", "*.*"},
};

inline constexpr std::string_view kSaveAsDialogTitle = "Save RSH File As";
inline constexpr FileFilter kSaveAsFilters[] = {
    {"RSH Files (*.rsh)", "*.rsh"},
    {"All Files (*.*)", "*.*"},
};

inline constexpr std::string_view kExportFolderDialogTitle = "Export All Textures To";

// The texture list's columns; the last, cut short to fit, is named in full where the toolkit can.
inline constexpr std::string_view kTextureListColumns[] = {"Name", "Format", "Size", "MIPs"};
inline constexpr std::string_view kMipLevelsColumnInFull = "MIP levels";

}  // namespace pelliton::ui
