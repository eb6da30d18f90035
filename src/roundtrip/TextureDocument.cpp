#include "roundtrip/TextureDocument.h"

#include <utility>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "export/MemoryOutput.h"
#include "roundtrip/TextureReplacement.h"
#include "rsh/ChunkTreeEdit.h"

namespace pelliton {

TextureDocument::TextureDocument(const std::string& path) : path_(path) {
    try {
        const FileSource file(path);
        // Held whole so that saving over the file needs no handle on it, which Windows would refuse.
        bytes_.resize(static_cast<std::size_t>(file.Size()));
        file.ReadAt(0, bytes_);
        source_ = MemorySource(bytes_);
        Parse();
    } catch (const PellitonError& error) {
        throw PellitonError(path + ": " + error.what());
    }
    replaced_.assign(textures_.size(), false);
}

void TextureDocument::Parse() {
    tree_ = ReadChunkTree(source_);
    textures_ = FindTextures(tree_, source_);
}

ReplacedTexture TextureDocument::Replace(std::size_t index, const std::string& picture) {
    const TreeTexture& texture = textures_.at(index);
    std::vector<std::uint8_t> edited;
    ReplacedTexture replaced;
    {
        const TextureReplacement replacement(texture, source_, picture, PictureKindOf(picture));
        const auto bodies = replacement.Bodies();
        const EditedFile file = EditChunkTree(tree_, source_, bodies);
        edited = ContentInMemory([&file](OutputFile& output) {
            for (const ByteRange& piece : file.pieces) output.Write(piece);
        });
        replaced = {texture.name, picture, texture.attributes, replacement.Attributes(),
                    replacement.AlphaCutToOneBit()};
    }
    // The edited content is read again as any file is, so a texture it holds is one a file could.
    std::vector<std::uint8_t> previous = std::exchange(bytes_, std::move(edited));
    source_ = MemorySource(bytes_);
    try {
        Parse();
    } catch (...) {
        bytes_ = std::move(previous);
        source_ = MemorySource(bytes_);
        Parse();
        throw;
    }
    replaced_.resize(textures_.size(), false);
    replaced_[index] = true;
    unsaved_ = true;
    return replaced;
}

void TextureDocument::SaveTo(const std::string& path) {
    // The file may hold the only copy of a modder's work, so it is renamed into place, never swapped.
    WriteOnlyCopyAtomically(PathFromUtf8(path), [this](OutputFile& output) {
        output.Reserve(bytes_.size());
        output.Write(ByteRange::InMemory(bytes_));
    });
    path_ = path;
    unsaved_ = false;
}

}  // namespace pelliton
