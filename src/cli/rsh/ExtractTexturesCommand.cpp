// pelliton-rsh extract: every texture of a file, each as the window exports a texture of its type.
#include "cli/rsh/Commands.h"
#include "common/PellitonError.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"

namespace pelliton {

ExtractReport ExtractRshTextures(const std::string& path, const std::filesystem::path& folder,
                                 const ExportWriter& write, TextureExporter exporter) {
    const RshFile file(path);
    ExtractReport report;
    const ExportWriter writeSparingFile = WriterSparing(path, write);
    for (const TreeTexture& texture : file.textures) {
        try {
            report.written.push_back(exporter(texture, file.source, folder, writeSparingFile));
        } catch (const PellitonError& error) {
            report.skipped.push_back("texture " + EscapeControls(texture.name) + ": " + error.what());
        }
    }
    if (file.textures.empty()) report.skipped.push_back("it holds no texture (no FOLDTXTR)");
    return report;
}

}  // namespace pelliton
