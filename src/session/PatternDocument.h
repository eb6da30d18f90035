// A team-colour pattern (a WTP file) as the window shows it: the file held in memory, the rows the
// texture list shows for it and the picture of each, the first painted in the army's colours.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportWriter.h"
#include "picture/RgbaPicture.h"
#include "session/WindowSession.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/PatternFile.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton {

// Whether the file at path (UTF-8) opens as a team-colour pattern: its name ends in ".wtp" in any
// letter case, or its chunk tree holds a FOLDTPAT. A file that cannot be read is not one; the open
// road says why it cannot be read.
bool IsTeamPatternFile(const std::string& path);

class PatternDocument {
public:
    // Reads the file at path (UTF-8) whole and paints its pattern in colours. Throws PellitonError
    // prefixed with path when the file cannot be read or holds no well-formed pattern.
    PatternDocument(const std::string& path, const TeamColours& colours);
    PatternDocument(const PatternDocument&) = delete;
    PatternDocument& operator=(const PatternDocument&) = delete;

    // The file's header and chunk tree, as pelliton-rsh list shows them, then the pattern.
    std::vector<std::string> Description() const;
    // "team colours" (the painted pattern), "default" (the base picture), then each layer present.
    const std::vector<TextureRow>& Rows() const { return rows_; }
    // The picture of a row: the painted pattern, the base picture, or a layer's mask as grey. The
    // painted one stays the same object, repainted in place; another row's lasts until the next call.
    const RgbaPicture& PictureOfRow(std::size_t row);
    void Repaint(const TeamColours& colours);

    // Each picture's file, as pelliton-rsh extract names it after the WTP file, into folder through
    // write, which decides what a picture that cannot be written does to the rest.
    void ExportPictures(const std::filesystem::path& folder, PatternFileType type, const ExportWriter& write) const;
    std::size_t PictureCount() const { return pictures_.size(); }

private:
    std::string path_;
    PatternFile file_;
    std::vector<int> pictures_;   // of the rows after the first: kBasePicture or a layer
    std::vector<TextureRow> rows_;
    RgbaPicture painted_;
    RgbaPicture other_;           // of otherRow_
    std::optional<std::size_t> otherRow_;
};

}  // namespace pelliton
