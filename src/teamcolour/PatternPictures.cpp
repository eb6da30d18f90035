#include "teamcolour/PatternPictures.h"

#include <algorithm>
#include <cctype>
#include <span>

#include "common/TgaFormat.h"
#include "common/Utf8Path.h"
#include "picture/PngEncoder.h"

namespace pelliton {

namespace {

constexpr std::uint8_t kEightAlphaBits = 8;  // descriptor bits 0-3: alpha bits a pixel

tga::FileHeader PictureHeader(const TeamPattern& pattern, int picture) {
    tga::FileHeader header;
    const bool base = picture == kBasePicture;
    header.ImageType = base ? tga::kTrueColour : tga::kGrey;
    header.ImageWidth = static_cast<std::int16_t>(pattern.width);  // sides reach 16384 at most
    header.ImageHeight = static_cast<std::int16_t>(pattern.height);
    header.PixelDepth = base ? tga::kDepthRgba : tga::kDepthGrey;
    // Rows stay bottom-up, as the pattern stores them, so that the texels are copied unchanged.
    header.ImageDescriptor = base ? kEightAlphaBits : 0;
    return header;
}

ByteRange PictureTexels(const TeamPattern& pattern, const ByteSource& file, int picture) {
    return picture == kBasePicture ? pattern.BaseTexels(file) : pattern.LayerTexels(file, picture);
}

// Fills row (RGBA or grey) with the picture's row y from the top.
void ReadPictureRow(const TeamPattern& pattern, const ByteSource& file, int picture, int y,
                    std::span<std::uint8_t> row) {
    const ByteRange texels = PictureTexels(pattern, file, picture);
    const std::size_t stored = static_cast<std::size_t>(pattern.height - 1 - y) * row.size();
    file.ReadAt(texels.offset + stored, row);
    if (picture != kBasePicture) return;
    for (std::size_t at = 0; at < row.size(); at += 4) std::swap(row[at], row[at + 2]);  // BGRA to RGBA
}

}  // namespace

std::string_view PictureSuffix(int picture) { return picture == kBasePicture ? "default" : LayerName(picture); }

std::vector<int> PicturesOf(const TeamPattern& pattern) {
    std::vector<int> pictures = {kBasePicture};
    for (int layer = 0; layer < kPatternLayerCount; ++layer) {
        if (pattern.layers[static_cast<std::size_t>(layer)] != nullptr) pictures.push_back(layer);
    }
    return pictures;
}

std::optional<int> PictureNamedBy(std::string_view stem) {
    const std::size_t underscore = stem.rfind('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    const std::string_view suffix = stem.substr(underscore + 1);
    for (int picture = kBasePicture; picture < kPatternLayerCount; ++picture) {
        const std::string_view known = PictureSuffix(picture);
        if (std::ranges::equal(suffix, known, [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
            })) {
            return picture;
        }
    }
    return std::nullopt;
}

std::string PatternPictureFileName(std::string_view stem, int picture, PatternFileType type) {
    return std::string(stem) + "_" + std::string(PictureSuffix(picture)) +
           (type == PatternFileType::Tga ? ".tga" : ".png");
}

void WritePatternPicture(const TeamPattern& pattern, const ByteSource& file, int picture, PatternFileType type,
                         OutputFile& out) {
    if (type == PatternFileType::Tga) {
        const tga::FileHeader header = PictureHeader(pattern, picture);
        out.Write(std::as_bytes(std::span(&header, 1)));
        out.Write(PictureTexels(pattern, file, picture));
        return;
    }
    const PngChannels channels = picture == kBasePicture ? PngChannels::kRgba : PngChannels::kGrey;
    EncodePng({pattern.width, pattern.height, channels},
              [&](int y, std::span<std::uint8_t> row) { ReadPictureRow(pattern, file, picture, y, row); },
              [&out](std::span<const std::uint8_t> bytes) { out.Write(std::as_bytes(bytes)); });
}

std::vector<std::filesystem::path> ExportPatternPictures(const TeamPattern& pattern, const ByteSource& file,
                                                         std::string_view stem, const std::filesystem::path& folder,
                                                         PatternFileType type, const ExportWriter& write) {
    std::vector<std::filesystem::path> written;
    for (const int picture : PicturesOf(pattern)) {
        const std::filesystem::path target =
            (folder / PathFromUtf8(PatternPictureFileName(stem, picture, type))).generic_u8string();
        write(target, [&](OutputFile& out) { WritePatternPicture(pattern, file, picture, type, out); });
        written.push_back(target);
    }
    return written;
}

RgbaPicture PatternBasePicture(const TeamPattern& pattern, const ByteSource& file) {
    RgbaPicture picture{pattern.width, pattern.height, {}};
    picture.rgba.resize(pattern.TexelCount() * 4);
    const std::size_t rowBytes = static_cast<std::size_t>(pattern.width) * 4;
    for (int y = 0; y < pattern.height; ++y) {
        ReadPictureRow(pattern, file, kBasePicture, y,
                       std::span(picture.rgba).subspan(static_cast<std::size_t>(y) * rowBytes, rowBytes));
    }
    return picture;
}

std::vector<std::uint8_t> PatternLayerMask(const TeamPattern& pattern, const ByteSource& file, int layer) {
    std::vector<std::uint8_t> mask(pattern.TexelCount());
    const auto rowBytes = static_cast<std::size_t>(pattern.width);
    for (int y = 0; y < pattern.height; ++y) {
        ReadPictureRow(pattern, file, layer, y, std::span(mask).subspan(static_cast<std::size_t>(y) * rowBytes, rowBytes));
    }
    return mask;
}

}  // namespace pelliton
