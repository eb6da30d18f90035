// The three commands of pelliton-rsh, each on one RSH file; the program's front door is RunRshTool.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportWriter.h"
#include "export/TreeTextureExport.h"
#include "roundtrip/ReplaceTextures.h"

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
                                 const ExportWriter& write, TextureExporter exporter);

// What a folder batch needs besides its folders.
struct BatchOutput {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal;  // progress is shown only there
};

// Writes the textures of every RSH and RTX file under root into outRoot, each file's into the folder
// PicturesFolderOf names, on every core. Prints each failure to err as it is found and a summary to
// out; returns the exit status. Throws PellitonError when root is not a folder.
int ExtractFolder(const std::string& root, const std::filesystem::path& outRoot, const ExportWriter& write,
                  TextureExporter exporter, const BatchOutput& output);

struct ReplaceOptions {
    bool strict = false;  // refuse any change to a texture's size, format, MIP levels or alpha
    bool dryRun = false;  // say what would be replaced, write nothing
};

// Prints each change that the replacements make to a texture (size, format, MIP levels, alpha) to
// err; throws PellitonError, when strict, if there is any.
void WeighChanges(const TextureReplacements& replacements, const std::string& outPath, bool strict, std::ostream& err);

// Replaces textures of the file at rshPath with the images, each matched by its file name less
// its extension, and writes the result to outPath (which may be rshPath) atomically. Prints each
// change to a texture to err, then one line per replaced texture to out. Throws PellitonError
// naming the problem, nothing written; so does any change when strict.
void ReplaceRshTextures(const std::string& rshPath, const std::vector<std::string>& images, const std::string& outPath,
                        const ReplaceOptions& options, std::ostream& out, std::ostream& err);

// The way back from ExtractFolder: for every RSH and RTX file under root whose folder of pictures
// under picturesRoot holds edited pictures (FindEditedPictures), replaces those textures as
// ReplaceRshTextures would, the file in place. Files with nothing edited are not written. Prints one
// line per file changed and a summary to out, each failure to err; returns the exit status. Throws
// PellitonError when either folder is not one.
int ReplaceFolder(const std::filesystem::path& picturesRoot, const std::string& root, const ReplaceOptions& options,
                  const BatchOutput& output);

}  // namespace pelliton
