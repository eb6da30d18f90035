// The three commands of pelliton-rsh, each on one RSH file; the program's front door is RunRshTool.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportWriter.h"

namespace pelliton {

inline constexpr std::string_view kRshProgram = "pelliton-rsh";

// Prints the chunk tree of the file, one chunk a line, and then one line per texture.
// Throws PellitonError when the file cannot be read as a chunk tree.
void ListRshFile(const std::string& path, std::ostream& out);

struct ExtractReport {
    std::vector<std::filesystem::path> written;
    std::vector<std::string> skipped;  // "texture NAME: why", one per texture not written
};

// Writes every texture of the file into folder through write. Throws PellitonError when the file
// cannot be read as a chunk tree; a texture that cannot be exported is skipped and reported.
ExtractReport ExtractRshTextures(const std::string& path, const std::filesystem::path& folder,
                                 const ExportWriter& write);

// Replaces textures of the file at rshPath with the images, each matched by its file name less
// its extension, and writes the result to outPath (which may be rshPath) atomically. Prints each
// change to a texture (size, format, MIP levels, alpha) to err, then one line per replaced texture
// to out. Throws PellitonError naming the problem, nothing written; so does any change when strict.
void ReplaceRshTextures(const std::string& rshPath, const std::vector<std::string>& images, const std::string& outPath,
                        bool strict, std::ostream& out, std::ostream& err);

}  // namespace pelliton
