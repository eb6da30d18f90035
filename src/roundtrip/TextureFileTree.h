// The texture files of a mod folder, and where a folder batch keeps each file's pictures.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pelliton {

struct TextureFileTree {
    // RSH and RTX files (any letter case) under the root, relative to it, in the order of their
    // generic spelling, so that every run and platform takes them alike.
    std::vector<std::filesystem::path> files;
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
