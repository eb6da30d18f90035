// pelliton-rsh extract: every texture of a file, each as the window exports a texture of its type,
// and the pictures of its team colour pattern.
#include "cli/rsh/Commands.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"
#include "teamcolour/TeamPattern.h"

namespace pelliton {

namespace {

// The pattern's pictures, named after the file as skinners know them: ork_tank_default.tga.
bool ExtractPattern(const RshFile& file, const std::string& path, const std::filesystem::path& folder,
                    const ExportWriter& write, PatternFileType type, ExtractReport& report) {
    try {
        const std::optional<TeamPattern> pattern = FindTeamPattern(file.tree, file.source);
        if (!pattern) return false;
        const std::string stem = PathToUtf8(PathFromUtf8(path).stem());
        for (std::filesystem::path& written : ExportPatternPictures(*pattern, file.source, stem, folder, type, write)) {
            report.written.push_back(std::move(written));
        }
    } catch (const PellitonError& error) {
        report.skipped.push_back(std::string("team colour pattern: ") + error.what());
    }
    return true;
}

}  // namespace

ExtractReport ExtractRshTextures(const std::string& path, const std::filesystem::path& folder,
                                 const ExportWriter& write, const ExtractFormat& format) {
    const RshFile file(path);
    ExtractReport report;
    const ExportWriter writeSparingFile = WriterSparing(path, write);
    for (const TreeTexture& texture : file.textures) {
        try {
            report.written.push_back(format.texture(texture, file.source, folder, writeSparingFile));
        } catch (const PellitonError& error) {
            report.skipped.push_back("texture " + EscapeControls(texture.name) + ": " + error.what());
        }
    }
    const bool hasPattern = ExtractPattern(file, path, folder, writeSparingFile, format.pattern, report);
    if (file.textures.empty() && !hasPattern) report.skipped.push_back("it holds no texture (no FOLDTXTR or FOLDTPAT)");
    return report;
}

}  // namespace pelliton
