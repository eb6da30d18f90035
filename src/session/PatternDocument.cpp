#include "session/PatternDocument.h"

#include <algorithm>
#include <exception>

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
    try {
        return HoldsTeamPattern(path);
    } catch (const std::exception&) {
        return false;  // the open road says why it cannot be read
    }
}

PatternDocument::PatternDocument(const std::string& path, const TeamColours& colours) : path_(path), file_(path) {
    const int width = file_.pattern.width;
    const int height = file_.pattern.height;
    rows_.push_back({"team colours", "painted", width, height, 1, {}});
    for (const int picture : PicturesOf(file_.pattern)) {
        pictures_.push_back(picture);
        rows_.push_back({std::string(PictureSuffix(picture)), picture == kBasePicture ? "32-bit" : "grey", width,
                         height, 1, {}});
    }
    Repaint(colours);
}

std::vector<std::string> PatternDocument::Description() const {
    std::vector<std::string> lines = TreeLines(path_, file_.bytes.size(), file_.tree);
    for (std::string& line : DescribePattern(file_.pattern)) lines.push_back(std::move(line));
    return lines;
}

const RgbaPicture& PatternDocument::PictureOfRow(std::size_t row) {
    if (row == 0) return painted_;
    if (otherRow_ != row) {
        const int picture = pictures_.at(row - 1);
        other_ = picture == kBasePicture
                     ? PatternBasePicture(file_.pattern, file_.source)
                     : GreyPicture(PatternLayerMask(file_.pattern, file_.source, picture), file_.pattern.width, file_.pattern.height);
        otherRow_ = row;
    }
    return other_;
}

void PatternDocument::Repaint(const TeamColours& colours) { painted_ = PaintTeamColours(file_.pattern, file_.source, colours); }

void PatternDocument::ExportPictures(const std::filesystem::path& folder, PatternFileType type,
                                     const ExportWriter& write) const {
    const std::string stem = PathToUtf8(PathFromUtf8(path_).stem());
    ExportPatternPictures(file_.pattern, file_.source, stem, folder, type, WriterSparing(path_, write));
}

}  // namespace pelliton
