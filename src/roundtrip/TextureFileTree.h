// The texture files of a mod folder, and where a folder batch keeps each file's pictures.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pelliton {

struct TextureFile {
    std::filesystem::path relative;  // to the root: where its pictures go
    std::string path;                // the root and relative, UTF-8 with "/": as messages name it
};

struct TextureFileTree {
    // RSH, RTX and WTP files (any letter case) under the root, in the order of their generic spelling
    // relative to it, so that every run and platform takes them alike.
    std::vector<TextureFile> files;
    std::vector<std::string> problems;  // folders that could not be read, one line each
};

// Walks root (UTF-8). Links to folders are not followed: a link back up would never end. Throws
// PellitonError when root is not a folder.
TextureFileTree FindTextureFiles(const std::string& root);

// The folder for the pictures of the file at relative (as FindTextureFiles gives it) under
// picturesRoot: its relative path less its extension, so that files of one name in different
// folders keep their textures apart.
std::filesystem::path PicturesFolderOf(const std::filesystem::path& picturesRoot, const std::filesystem::path& relative);

}  // namespace pelliton
