// An RSH file held in memory while a modder puts pictures into it, until it is saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ByteSource.h"
#include "roundtrip/ReplaceTextures.h"
#include "rsh/ChunkTree.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

class TextureDocument {
public:
    // Reads the file at path (UTF-8) whole. Throws PellitonError prefixed with path.
    explicit TextureDocument(const std::string& path);
    TextureDocument(const TextureDocument&) = delete;
    TextureDocument& operator=(const TextureDocument&) = delete;

    const std::string& Path() const { return path_; }
    // The content as it stands, edits included.
    const ByteSource& Source() const { return source_; }
    const std::vector<TreeTexture>& Textures() const { return textures_; }

    // Puts the picture (UTF-8 path of a PNG, TGA or DDS file) in place of texture `index`, as
    // pelliton-rsh replace does, whatever the picture's name. Throws PellitonError naming the
    // problem; the content is then as it was.
    ReplacedTexture Replace(std::size_t index, const std::string& picture);
    // Whether texture `index` holds what the file read held.
    bool IsReplaced(std::size_t index) const { return replaced_.at(index); }
    bool HasUnsavedChanges() const { return unsaved_; }

    // Writes the content to path (UTF-8; the file read or another) so that the old file stays whole
    // until the new one is; path is then the document's. Throws PellitonError, nothing changed.
    void SaveTo(const std::string& path);

private:
    void Parse();

    std::string path_;
    std::vector<std::uint8_t> bytes_;
    MemorySource source_{bytes_};
    ChunkTree tree_;
    std::vector<TreeTexture> textures_;  // point into tree_
    std::vector<bool> replaced_;         // by texture
    bool unsaved_ = false;
};

}  // namespace pelliton
