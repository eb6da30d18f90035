// Exports a texture of a chunk tree exactly as the window exports a loaded texture of its image type.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "export/ExportWriter.h"
#include "rsh/TextureFormats.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

// Writes texture (of the tree read from file; block-compressed texels pass through unread) into folder as its name plus ".DDS" (block-compressed
// types) or ".TGA" (uncompressed) and returns the written file's path. Throws PellitonError: a
// texture with a problem or an image type without an export, a name no file may take, texels the
// window's reading would take from beyond the data chunk, a header field that overflows, or a
// failed write (the target is then as it was).
std::filesystem::path ExportTreeTexture(const TreeTexture& texture, const ByteSource& file,
                                        const std::filesystem::path& folder, const ExportWriter& write);

// Writes level 0 of texture into folder as its name plus ".PNG", red, green, blue and alpha, and
// returns the written file's path; DXT blocks are decoded, uncompressed texels kept as stored.
// Throws PellitonError as ExportTreeTexture does, and for sides outside 1 to kLargestImageSide or a
// data chunk that does not hold level 0.
std::filesystem::path ExportTreeTextureAsPng(const TreeTexture& texture, const ByteSource& file,
                                             const std::filesystem::path& folder, const ExportWriter& write);

// How a texture becomes a file in a folder: ExportTreeTexture or ExportTreeTextureAsPng.
using TextureExporter = decltype(&ExportTreeTexture);

// The format of a texture that has an export, its data chunk checked as its export checks it;
// throws PellitonError for a texture with a problem, an image type without an export, or a data
// chunk without whole texels.
const TextureFormat& ExportedFormat(const TreeTexture& texture);

}  // namespace pelliton
