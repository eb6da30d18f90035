// The commands of pelliton-rsh on RSH, RTX and WTP files; the program's front door is RunRshTool.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportWriter.h"
#include "export/TreeTextureExport.h"
#include "roundtrip/ReplaceTextures.h"
#include "teamcolour/PatternReplacement.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton {

inline constexpr std::string_view kRshProgram = "pelliton-rsh";

// Prints the chunk tree of the file, one chunk a line, then one line per texture, and what its team
// colour pattern holds.
// Throws PellitonError when the file cannot be read as a chunk tree.
void ListRshFile(const std::string& path, std::ostream& out);

struct ExtractReport {
    std::vector<std::filesystem::path> written;
    std::vector<std::string> skipped;  // "texture NAME: why", one per texture not written
};

// What extract writes: the window's exports and TGA pattern pictures, or PNG pictures of both.
struct ExtractFormat {
    TextureExporter texture;
    PatternFileType pattern;
};
inline constexpr ExtractFormat kWindowExports{ExportTreeTexture, PatternFileType::Tga};
inline constexpr ExtractFormat kPngPictures{ExportTreeTextureAsPng, PatternFileType::Png};

// Writes every texture of the file, and the pictures of its team colour pattern, into folder through
// write. Throws PellitonError when the file cannot be read as a chunk tree; a texture or pattern
// that cannot be exported is skipped and reported.
ExtractReport ExtractRshTextures(const std::string& path, const std::filesystem::path& folder,
                                 const ExportWriter& write, const ExtractFormat& format);

// What a folder batch needs besides its folders.
struct BatchOutput {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal;  // progress is shown only there
};

// Writes the textures of every RSH, RTX and WTP file under root into outRoot, each file's into the folder
// PicturesFolderOf names, on every core. Prints each failure to err as it is found and a summary to
// out; returns the exit status. Throws PellitonError when root is not a folder.
int ExtractFolder(const std::string& root, const std::filesystem::path& outRoot, const ExportWriter& write,
                  const ExtractFormat& format, const BatchOutput& output);

struct ReplaceOptions {
    bool strict = false;  // refuse any change to a texture's size, format, MIP levels or alpha
    bool dryRun = false;  // say what would be replaced, write nothing
};

// Prints each note of the replacement (a picture turned to grey) to err; throws PellitonError, when
// strict, if there is any.
void WeighPatternNotes(const PatternReplacement& replacement, const std::string& outPath, bool strict, std::ostream& err);

// Puts the edits into the pattern of the WTP at path and writes the result to outPath (which may be
// path) atomically. Prints each note (a picture turned to grey) to err, then one line per edit to
// out. Throws PellitonError naming the problem, nothing written; so does a note when strict.
void ReplacePattern(const std::string& path, const PatternEdits& edits, const std::string& outPath,
                    const ReplaceOptions& options, std::ostream& out, std::ostream& err);

// What preview paints a pattern with.
struct PreviewRequest {
    std::string colours;  // "P,S,T,W,E", each "#RRGGBB"; empty for the default army
    std::string badge;    // UTF-8 path of a TGA or PNG picture; empty for none
    std::string banner;   // likewise
    std::string outPath;  // the PNG to write
};

// Paints the pattern of the WTP at path in the colours and writes it as a PNG of the pattern's size.
// Throws PellitonError naming the problem, nothing written.
void PreviewPattern(const std::string& path, const PreviewRequest& request, std::ostream& out);

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
