// pelliton-rsh replace and preview on a WTP file: edited pictures back into its team colour pattern,
// and the pattern painted in an army's colours.
#include "cli/rsh/Commands.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "picture/PictureFile.h"
#include "picture/PictureKind.h"
#include "picture/PngEncoder.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/PatternFile.h"

namespace pelliton {

namespace {

TeamColours ParseColours(const std::string& text) {
    if (text.empty()) return DefaultTeamColours();
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(std::string_view(text).substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    TeamColours colours;
    for (std::size_t i = 0; i < colours.size() && parts.size() == colours.size(); ++i) {
        const std::optional<TeamColour> colour = ParseTeamColour(parts[i]);
        if (!colour) break;
        colours[i] = *colour;
        if (i + 1 == colours.size()) return colours;
    }
    throw PellitonError("--colours " + text + ": five colours #RRGGBB are wanted, separated by commas");
}

std::optional<RgbaPicture> ReadEmblem(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Dds) throw PellitonError(path + ": a badge or banner is a TGA or PNG picture, not DDS");
    return DecodePictureFile(path, kind);
}

}  // namespace

void WeighPatternNotes(const PatternReplacement& replacement, const std::string& outPath, bool strict, std::ostream& err) {
    for (const std::string& note : replacement.Notes()) {
        err << kRshProgram << ": " << note << (strict ? " (refused by --strict)" : "") << '\n';
    }
    if (strict && !replacement.Notes().empty()) {
        throw PellitonError(outPath + ": not written: --strict refuses a picture that does not fit as it is");
    }
}

void ReplacePattern(const std::string& path, const PatternEdits& edits, const std::string& outPath,
                    const ReplaceOptions& options, std::ostream& out, std::ostream& err) {
    const PatternReplacement replacement(path, edits);
    WeighPatternNotes(replacement, outPath, options.strict, err);
    if (!options.dryRun) replacement.WriteTo(outPath);
    for (const std::string& change : replacement.Changes()) {
        out << outPath << ": " << change << (options.dryRun ? " (not written: --dry-run)" : "") << '\n';
    }
}

void PreviewPattern(const std::string& path, const PreviewRequest& request, std::ostream& out) {
    const TeamColours colours = ParseColours(request.colours);
    const std::optional<RgbaPicture> badge = ReadEmblem(request.badge);
    const std::optional<RgbaPicture> banner = ReadEmblem(request.banner);
    const PatternFile file(path);
    const RgbaPicture painted =
        PaintTeamColours(file.pattern, file.source, colours, {badge ? &*badge : nullptr, banner ? &*banner : nullptr});
    const std::filesystem::path target = PathFromUtf8(request.outPath);
    for (const std::string& input : {path, request.badge, request.banner}) {
        if (!input.empty()) RefuseInputAsOutput(target, input);
    }
    const std::size_t rowBytes = static_cast<std::size_t>(painted.width) * 4;
    WriteFileAtomically(target, [&](OutputFile& output) {
        EncodePng({painted.width, painted.height, PngChannels::kRgb},
                  [&](int y, std::span<std::uint8_t> row) {
                      const std::uint8_t* rgba = painted.rgba.data() + static_cast<std::size_t>(y) * rowBytes;
                      for (int x = 0; x < painted.width; ++x) std::copy_n(rgba + 4 * x, 3, row.data() + 3 * x);
                  },
                  [&output](std::span<const std::uint8_t> bytes) { output.Write(std::as_bytes(bytes)); });
    });
    out << request.outPath << ": " << path << " in " << FormatTeamColour(colours[0]);
    for (std::size_t i = 1; i < colours.size(); ++i) out << ',' << FormatTeamColour(colours[i]);
    out << '\n';
}

}  // namespace pelliton
