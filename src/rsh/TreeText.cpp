#include "rsh/TreeText.h"

#include <cstdio>

#include "rsh/Latin1.h"
#include "rsh/TextureFormats.h"

namespace pelliton {

std::string EscapeControls(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code == 0) {
            escaped += "\\0";
        } else if (code < 0x20 || code == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", code);
            escaped += hex;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string PrintableText(std::string_view bytes) { return EscapeControls(Latin1ToUtf8(bytes)); }

std::string ChunkLine(const Chunk& chunk, int depth) {
    std::string line(static_cast<std::size_t>(2 * depth), ' ');
    line += PrintableText(chunk.Tag()) + "  at " + std::to_string(chunk.offset) + "  version " +
            std::to_string(chunk.version) + "  size " + std::to_string(chunk.size);
    if (!chunk.name.empty()) line += "  \"" + PrintableText(chunk.name) + "\"";
    return line;
}

std::string TextureFormatName(std::int32_t imageType) {
    const TextureFormat* format = FindTextureFormat(imageType);
    if (format == nullptr) return "unknown format";
    return format->layout == TexelLayout::Uncompressed ? "uncompressed 32-bit" : std::string(format->fourCC);
}

std::string DescribeTexture(const TextureAttributes& attributes) {
    return "image type " + std::to_string(attributes.imageType) + ", " + TextureFormatName(attributes.imageType) + ", " +
           std::to_string(attributes.width) + " x " + std::to_string(attributes.height) + ", " +
           std::to_string(attributes.mipLevels) + (attributes.mipLevels == 1 ? " MIP level" : " MIP levels");
}

namespace {

void AddChunkLines(const std::vector<Chunk>& chunks, int depth, std::vector<std::string>& lines) {
    for (const Chunk& chunk : chunks) {
        lines.push_back(ChunkLine(chunk, depth));
        AddChunkLines(chunk.children, depth + 1, lines);
    }
}

}  // namespace

std::vector<std::string> TreeLines(const std::string& path, std::uint64_t fileSize, const ChunkTree& tree) {
    std::vector<std::string> lines = {path + ": " + std::to_string(fileSize) + " bytes, \"" +
                                      PrintableText(tree.header.signature) + "\" " + std::to_string(tree.header.version) +
                                      " " + std::to_string(tree.header.platform)};
    AddChunkLines(tree.chunks, 1, lines);
    return lines;
}

}  // namespace pelliton
