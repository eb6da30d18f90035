#include "session/PatternDocument.h"

#include <algorithm>
#include <exception>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "rsh/Latin1.h"
#include "rsh/TreeText.h"
#include "teamcolour/PatternText.h"

namespace pelliton {

namespace {

bool HasPatternExtension(const std::string& path) {
    return FoldLatin1Case(PathToUtf8(PathFromUtf8(path).extension())) == ".wtp";
}

// The mask as an opaque grey picture, white where its colour applies.
RgbaPicture GreyPicture(const std::vector<std::uint8_t>& mask, int width, int height) {
    RgbaPicture picture{width, height, {}};
    picture.rgba.resize(mask.size() * 4);
    for (std::size_t texel = 0; texel < mask.size(); ++texel) {
        std::fill_n(picture.rgba.begin() + static_cast<std::ptrdiff_t>(texel * 4), 3, mask[texel]);
        picture.rgba[texel * 4 + 3] = 255;
    }
    return picture;
}

}  // namespace

bool IsTeamPatternFile(const std::string& path) {
    if (HasPatternExtension(path)) return true;
    std::optional<FileSource> file;
    ChunkTree tree;
    try {
        file.emplace(path);
        tree = ReadChunkTree(*file);
    } catch (const std::exception&) {
        return false;
    }
    try {
        return FindTeamPattern(tree, *file).has_value();
    } catch (const std::exception&) {
        return true;  // a pattern, if not a well-formed one
    }
}

PatternDocument::PatternDocument(const std::string& path, const TeamColours& colours) : path_(path) {
    try {
        // Held whole, as the texture list's files are: the pictures are read again at every repaint.
        bytes_ = ReadWholeFile(path);
        source_ = MemorySource(bytes_);
        tree_ = ReadChunkTree(source_);
        std::optional<TeamPattern> pattern = FindTeamPattern(tree_, source_);
        if (!pattern) throw PellitonError("it holds no team colour pattern (no FOLDTPAT)");
        pattern_ = std::move(*pattern);
    } catch (const PellitonError& error) {
        throw PellitonError(path + ": " + error.what());
    }
    const int width = pattern_.width;
    const int height = pattern_.height;
    rows_.push_back({"team colours", "painted", width, height, 1, {}});
    for (const int picture : PicturesOf(pattern_)) {
        pictures_.push_back(picture);
        rows_.push_back({std::string(PictureSuffix(picture)), picture == kBasePicture ? "32-bit" : "grey", width,
                         height, 1, {}});
    }
    Repaint(colours);
}

std::vector<std::string> PatternDocument::Description() const {
    std::vector<std::string> lines = TreeLines(path_, bytes_.size(), tree_);
    for (std::string& line : DescribePattern(pattern_)) lines.push_back(std::move(line));
    return lines;
}

const RgbaPicture& PatternDocument::PictureOfRow(std::size_t row) {
    if (row == 0) return painted_;
    if (otherRow_ != row) {
        const int picture = pictures_.at(row - 1);
        other_ = picture == kBasePicture
                     ? PatternBasePicture(pattern_, source_)
                     : GreyPicture(PatternLayerMask(pattern_, source_, picture), pattern_.width, pattern_.height);
        otherRow_ = row;
    }
    return other_;
}

void PatternDocument::Repaint(const TeamColours& colours) { painted_ = PaintTeamColours(pattern_, source_, colours); }

void PatternDocument::ExportPictures(const std::filesystem::path& folder, PatternFileType type,
                                     const ExportWriter& write) const {
    const std::string stem = PathToUtf8(PathFromUtf8(path_).stem());
    ExportPatternPictures(pattern_, source_, stem, folder, type, WriterSparing(path_, write));
}

}  // namespace pelliton
