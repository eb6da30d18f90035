#include "export/ExtractTexture.h"

#include <span>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/ExportName.h"

namespace pelliton {

namespace {

// Names the output, makes it the export path and logs it: from here on the export path is the new
// name. The location is made absolute now, so that a later change of folder cannot redirect it.
std::filesystem::path NameOutput(std::string_view sourcePath, std::string_view extension,
                                 const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log) {
    std::string name = ExportFileName(sourcePath, extension);
    state.ExportPath = std::move(name);
    log.AddDebugLine("Extracting to: " + state.ExportPath);
    std::error_code error;
    auto target = std::filesystem::absolute(outputFolder / PathFromUtf8(state.ExportPath), error);
    if (error) throw PellitonError("cannot locate " + state.ExportPath + ": " + error.message());
    return target;
}

std::filesystem::path ExportDds(const modRSH& rsh, const TextureFormat& format, std::string_view sourcePath,
                                const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log,
                                const ExportWriter& write) {
    log.AddDebugLine(std::string(format.fourCC) + " DDS File");
    state.DdsHeader = MakeDdsHeader(format, rsh.AttrChunk, rsh.DataChunk.ChunkSize);
    auto target = NameOutput(sourcePath, ".DDS", outputFolder, state, log);
    WriteExport(write, target, std::as_bytes(std::span(&state.DdsHeader, 1)), std::as_bytes(std::span(rsh.TexelBytes)));
    return target;
}

// Texels go out in memory order, blue, green, red, alpha: what a TGA reader expects.
std::filesystem::path ExportTga(const modRSH& rsh, std::string_view sourcePath,
                                const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log,
                                const ExportWriter& write) {
    state.TgaHeader = MakeTgaHeader(rsh.AttrChunk);
    auto target = NameOutput(sourcePath, ".TGA", outputFolder, state, log);
    WriteExport(write, target, std::as_bytes(std::span(&state.TgaHeader, 1)), std::as_bytes(std::span(rsh.TexelPixels)));
    return target;
}

}  // namespace

std::optional<std::filesystem::path> ExtractTexture(const modRSH& rsh, std::string_view SourcePath,
                                                    const std::filesystem::path& outputFolder, ExportState& state,
                                                    DebugLog& log, const ExportWriter& write) {
    log.AddDebugLine("");
    log.AddDebugLine("Extract File");
    log.AddDebugLine("============");
    const TextureFormat* format = FindTextureFormat(rsh.AttrChunk.ImageType);
    if (format == nullptr) {
        log.AddDebugLine("Unknown texture format");
        return std::nullopt;
    }
    if (format->layout == TexelLayout::BlockCompressed) {
        return ExportDds(rsh, *format, SourcePath, outputFolder, state, log, write);
    }
    return ExportTga(rsh, SourcePath, outputFolder, state, log, write);
}

}  // namespace pelliton
