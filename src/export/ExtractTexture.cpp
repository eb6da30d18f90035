#include "export/ExtractTexture.h"

#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/ExportName.h"
#include "export/TextureExport.h"

namespace pelliton {

namespace {

// Names the output, makes it the export path and logs it: from here on the export path is the new
// name. The location is made absolute now, so that a later change of folder cannot redirect it.
std::filesystem::path NameOutput(std::string_view sourcePath, std::string_view extension,
                                 const std::filesystem::path& outputFolder, ExportState& state, DebugLog& log) {
    state.exportPath = ExportFileName(sourcePath, extension);
    log.AddDebugLine("Extracting to: " + state.exportPath);
    std::error_code error;
    auto target = std::filesystem::absolute(outputFolder / PathFromUtf8(state.exportPath), error);
    if (error) throw PellitonError("cannot locate " + state.exportPath + ": " + error.message());
    return target;
}

ByteRange Texels(const RshRecords& rsh, const TextureFormat& format) {
    if (format.layout == TexelLayout::BlockCompressed) return ByteRange::InMemory(rsh.blockTexels);
    return PixelsInMemory(rsh.pixels);
}

}  // namespace

std::optional<std::filesystem::path> ExtractTexture(const RshRecords& rsh, std::string_view sourcePath,
                                                    const std::filesystem::path& outputFolder, ExportState& state,
                                                    DebugLog& log, const ExportWriter& write) {
    log.AddDebugLine("");
    log.AddDebugLine("Extract File");
    log.AddDebugLine("============");
    const TextureFormat* format = FindTextureFormat(rsh.attributes.imageType);
    if (format == nullptr) {
        log.AddDebugLine("Unknown texture format");
        return std::nullopt;
    }
    if (format->layout == TexelLayout::BlockCompressed) log.AddDebugLine(std::string(format->fourCC) + " DDS File");
    const ExportHeader header(*format, rsh.attributes, rsh.data.size);
    auto target = NameOutput(sourcePath, header.Extension(), outputFolder, state, log);
    WriteTextureFile(write, target, header, Texels(rsh, *format));
    return target;
}

}  // namespace pelliton
