// Chunks and textures as text, one line each, file texts made safe for a terminal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rsh/ChunkTree.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

// UTF-8 text with its control characters written as \0 or \xNN, so that a hostile name cannot
// drive the terminal.
std::string EscapeControls(std::string_view text);

// File bytes as printable UTF-8 text, one character per byte.
std::string PrintableText(std::string_view bytes);

// "FOLDTXTR  at 48  version 1  size 1234  "name"", indented two spaces per folder around it.
std::string ChunkLine(const Chunk& chunk, int depth);

// The file's line ("PATH: 1234 bytes, "Relic Chunky" 1 1"), then a ChunkLine for every chunk of the
// tree, each folder's children after it: what pelliton-rsh list and the window's log show of a file.
std::vector<std::string> TreeLines(const std::string& path, std::uint64_t fileSize, const ChunkTree& tree);

// "DXT5", "uncompressed 32-bit" or "unknown format".
std::string TextureFormatName(std::int32_t imageType);

// "image type 11, DXT5, 256 x 256, 9 MIP levels"
std::string DescribeTexture(const TextureAttributes& attributes);

}  // namespace pelliton
