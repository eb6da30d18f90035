#include "ExtractTexture.h"

#include <span>

#include "AtomicFile.h"
#include "ExportName.h"
#include "Utf8Path.h"

namespace pelliton {

namespace {

// Names the output, makes it the export path and logs it: from here on the export path is the new name.
std::filesystem::path NameOutput(std::string_view sourcePath, std::string_view extension,
                                 const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log) {
    std::string name = ExportFileName(sourcePath, extension);
    state.ExportPath = std::move(name);
    log.AddDebugLine("Extracting to: " + state.ExportPath);
    return outputFolder / PathFromUtf8(state.ExportPath);
}

void ExportDds(const modRSH& rsh, const TextureFormat& format, std::string_view sourcePath,
               const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log) {
    log.AddDebugLine(std::string(format.fourCC) + " DDS File");
    state.DdsHeader = MakeDdsHeader(format, rsh.AttrChunk, rsh.DataChunk.ChunkSize);
    const auto target = NameOutput(sourcePath, ".DDS", outputFolder, state, log);
    const auto header = EncodeDdsHeader(state.DdsHeader);
    WriteFileAtomically(target, [&](OutputFile& out) {
        out.Write(std::as_bytes(std::span(header)));
        out.Write(std::as_bytes(std::span(rsh.TexelBytes)));
    });
}

// Texels go out in memory order, blue, green, red, alpha: what a TGA reader expects.
void ExportTga(const modRSH& rsh, std::string_view sourcePath, const std::filesystem::path& outputFolder,
               ExportState& state, DebugLog& log) {
    state.TgaHeader = MakeTgaHeader(rsh.AttrChunk);
    const auto target = NameOutput(sourcePath, ".TGA", outputFolder, state, log);
    const auto header = EncodeTgaHeader(state.TgaHeader);
    WriteFileAtomically(target, [&](OutputFile& out) {
        out.Write(std::as_bytes(std::span(header)));
        out.Write(std::as_bytes(std::span(rsh.TexelPixels)));
    });
}

}  // namespace

void ExtractTexture(const modRSH& rsh, std::string_view SourcePath, const std::filesystem::path& outputFolder,
                    ExportState& state, DebugLog& log) {
    log.AddDebugLine("");
    log.AddDebugLine("Extract File");
    log.AddDebugLine("============");
    const TextureFormat* format = FindTextureFormat(rsh.AttrChunk.ImageType);
    if (format == nullptr) {
        log.AddDebugLine("Unknown texture format");
    } else if (format->layout == TexelLayout::BlockCompressed) {
        ExportDds(rsh, *format, SourcePath, outputFolder, state, log);
    } else {
        ExportTga(rsh, SourcePath, outputFolder, state, log);
    }
}

}  // namespace pelliton
