// Edited pictures and rectangles back into a WTP file: each picture replaces the base picture or the
// layer its name's suffix names, and every other byte of the file stays as it was.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/ByteSource.h"
#include "rsh/ChunkTreeEdit.h"
#include "teamcolour/PatternFile.h"

namespace pelliton {

struct PatternEdits {
    std::vector<std::string> pictures;  // UTF-8 paths of TGA or PNG files named NAME_SUFFIX
    std::optional<PatternRectangle> badge;
    std::optional<PatternRectangle> banner;
};

// "X,Y,W,H" as four numbers, the sides above 0; nothing for any other text.
std::optional<PatternRectangle> ParseRectangle(std::string_view text);

// The edits of one pattern, made in full before anything is written.
class PatternReplacement {
public:
    // Reads the WTP at path (UTF-8) whole and makes each edit's new content. A layer the file does
    // not have is added; so is a badge or banner rectangle. A picture in colour for a layer is
    // turned to grey (noted). Throws PellitonError naming the problem: a file with no pattern, a
    // picture named by no suffix or two pictures by one, one that cannot be read or is not the
    // pattern's size.
    PatternReplacement(const std::string& path, const PatternEdits& edits);
    PatternReplacement(const PatternReplacement&) = delete;
    PatternReplacement& operator=(const PatternReplacement&) = delete;

    // One line per edit: "primary from PICTURE", "trim from PICTURE (a layer added)", "badge at
    // 1, 2, 3 x 4".
    const std::vector<std::string>& Changes() const { return changes_; }
    // What was done to a picture to make it fit: "PICTURE: in colour; turned to grey".
    const std::vector<std::string>& Notes() const { return notes_; }

    // Whether writing would give the file other bytes than it has.
    bool ChangesFile() const;
    // Writes the edited file to outPath (which may be the file read) atomically. Throws
    // PellitonError, nothing written, when outPath is one of the pictures or cannot be written.
    void WriteTo(const std::string& outPath) const;

private:
    void PutPicture(const std::string& picturePath, int picture);
    void PutLayer(const std::string& picturePath, int layer, std::vector<std::uint8_t> grey);
    void PutRectangle(const char* what, const Chunk* chunk, const std::string& id, const PatternRectangle& rectangle);
    // Bytes the edit points into; a deque, so that adding some never moves the others.
    std::span<const std::uint8_t> Keep(std::vector<std::uint8_t> bytes);
    EditedFile Edited() const;

    PatternFile file_;
    std::vector<std::string> pictures_;
    std::deque<std::vector<std::uint8_t>> kept_;
    std::vector<BodyReplacement> bodies_;
    std::vector<ChunkInsertion> insertions_;
    std::vector<std::string> changes_;
    std::vector<std::string> notes_;
};

}  // namespace pelliton
