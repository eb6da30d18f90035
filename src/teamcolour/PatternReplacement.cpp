#include "teamcolour/PatternReplacement.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <map>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "export/MemoryOutput.h"
#include "picture/PictureFile.h"
#include "picture/PictureKind.h"
#include "teamcolour/PatternPictures.h"
#include "teamcolour/PatternText.h"

namespace pelliton {

namespace {

constexpr std::int32_t kAddedChunkVersion = 1;  // as the game's layers and rectangles carry

void AppendLong(std::vector<std::uint8_t>& out, std::uint32_t bits) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

// A DATA chunk with no name, whole: header, then body.
std::vector<std::uint8_t> DataChunkBytes(const std::string& id, const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> chunk;
    chunk.reserve(kChunkHeaderBytes + body.size());  // one allocation, which GCC's bounds checks follow
    for (const char c : "DATA" + id) chunk.push_back(static_cast<std::uint8_t>(c));
    AppendLong(chunk, kAddedChunkVersion);
    AppendLong(chunk, static_cast<std::uint32_t>(body.size()));
    AppendLong(chunk, 0);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

RgbaPicture DecodePicture(const std::string& path) {
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Dds) throw PellitonError(path + ": a pattern takes TGA or PNG pictures, not DDS");
    return DecodePictureFile(path, kind);
}

// Weights of the eye's sensitivity to red, green and blue, in thousandths.
std::uint8_t Grey(const std::uint8_t* rgb) {
    return static_cast<std::uint8_t>((299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000);
}

}  // namespace

std::optional<PatternRectangle> ParseRectangle(std::string_view text) {
    std::array<float, 4> values{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || !std::isfinite(values[i])) return std::nullopt;
        at = next;
    }
    if (at != end || values[2] <= 0 || values[3] <= 0) return std::nullopt;
    return PatternRectangle{values[0], values[1], values[2], values[3]};
}

PatternReplacement::PatternReplacement(const std::string& path, const PatternEdits& edits) : file_(path) {
    std::map<int, std::string> named;  // by picture, so that layers are added in their order
    for (const std::string& picture : edits.pictures) {
        const std::optional<int> index = PictureNamedBy(PathToUtf8(PathFromUtf8(picture).stem()));
        if (!index) {
            throw PellitonError(picture + ": its name does not end in _default, _primary, _secondary, _trim, "
                                          "_weapon, _eyes or _dirt");
        }
        if (const auto [other, added] = named.emplace(*index, picture); !added) {
            throw PellitonError(picture + ": " + other->second + " is the " + std::string(PictureSuffix(*index)) +
                                " picture already");
        }
    }
    for (const auto& [index, picture] : named) PutPicture(picture, index);
    if (edits.badge) PutRectangle("badge", file_.pattern.badgeChunk, "PTBD", *edits.badge);
    if (edits.banner) PutRectangle("banner", file_.pattern.bannerChunk, "PTBN", *edits.banner);
    pictures_ = edits.pictures;
}

void PatternReplacement::PutPicture(const std::string& picturePath, int picture) {
    const RgbaPicture decoded = DecodePicture(picturePath);
    if (decoded.width != file_.pattern.width || decoded.height != file_.pattern.height) {
        throw PellitonError(picturePath + ": it is " + std::to_string(decoded.width) + " x " +
                            std::to_string(decoded.height) + ", the pattern " + std::to_string(file_.pattern.width) +
                            " x " + std::to_string(file_.pattern.height));
    }
    const std::size_t rowTexels = static_cast<std::size_t>(file_.pattern.width);
    const auto stored = [&](std::size_t texel) {  // the file's rows run bottom-up
        const std::size_t y = texel / rowTexels;
        return (static_cast<std::size_t>(file_.pattern.height) - 1 - y) * rowTexels + texel % rowTexels;
    };
    if (picture == kBasePicture) {
        std::vector<std::uint8_t> bgra(file_.pattern.TexelCount() * 4);
        for (std::size_t texel = 0; texel < file_.pattern.TexelCount(); ++texel) {
            const std::uint8_t* rgba = decoded.rgba.data() + texel * 4;
            std::uint8_t* out = bgra.data() + stored(texel) * 4;
            out[0] = rgba[2];
            out[1] = rgba[1];
            out[2] = rgba[0];
            out[3] = rgba[3];
        }
        bodies_.push_back({file_.pattern.baseData, ByteRange::InMemory(Keep(std::move(bgra)))});
        changes_.push_back("default from " + picturePath);
        return;
    }
    std::vector<std::uint8_t> grey(file_.pattern.TexelCount());
    bool inColour = false;
    for (std::size_t texel = 0; texel < file_.pattern.TexelCount(); ++texel) {
        const std::uint8_t* rgba = decoded.rgba.data() + texel * 4;
        inColour = inColour || rgba[0] != rgba[1] || rgba[1] != rgba[2];
        grey[stored(texel)] = Grey(rgba);
    }
    if (inColour) notes_.push_back(picturePath + ": in colour; turned to grey");
    PutLayer(picturePath, picture, std::move(grey));
}

void PatternReplacement::PutLayer(const std::string& picturePath, int layer, std::vector<std::uint8_t> grey) {
    std::vector<std::uint8_t> body;
    AppendLong(body, static_cast<std::uint32_t>(layer));
    AppendLong(body, static_cast<std::uint32_t>(grey.size()));
    body.insert(body.end(), grey.begin(), grey.end());
    const std::string name(LayerName(layer));
    if (const Chunk* chunk = file_.pattern.layers[static_cast<std::size_t>(layer)]) {
        bodies_.push_back({chunk, ByteRange::InMemory(Keep(std::move(body)))});
        changes_.push_back(name + " from " + picturePath);
        return;
    }
    // After the layer below it, as the game's files order them.
    const Chunk* after = file_.pattern.info;
    for (int below = 0; below < layer; ++below) {
        if (const Chunk* chunk = file_.pattern.layers[static_cast<std::size_t>(below)]) after = chunk;
    }
    insertions_.push_back({after, ByteRange::InMemory(Keep(DataChunkBytes("PTLD", body)))});
    changes_.push_back(name + " from " + picturePath + " (a layer added)");
}

void PatternReplacement::PutRectangle(const char* what, const Chunk* chunk, const std::string& id,
                                      const PatternRectangle& rectangle) {
    std::vector<std::uint8_t> body;
    for (const float value : {rectangle.x, rectangle.y, rectangle.width, rectangle.height}) {
        AppendLong(body, std::bit_cast<std::uint32_t>(value));
    }
    changes_.push_back(std::string(what) + " at " + DescribeRectangle(rectangle));
    if (chunk != nullptr) {
        bodies_.push_back({chunk, ByteRange::InMemory(Keep(std::move(body)))});
        return;
    }
    // The badge follows the base picture, the banner the badge.
    const Chunk* after = id == "PTBN" && file_.pattern.badgeChunk != nullptr ? file_.pattern.badgeChunk : file_.pattern.imageFolder;
    insertions_.push_back({after, ByteRange::InMemory(Keep(DataChunkBytes(id, body)))});
}

std::span<const std::uint8_t> PatternReplacement::Keep(std::vector<std::uint8_t> bytes) {
    return kept_.emplace_back(std::move(bytes));
}

EditedFile PatternReplacement::Edited() const { return EditChunkTree(file_.tree, file_.source, bodies_, insertions_); }

bool PatternReplacement::ChangesFile() const {
    const EditedFile edited = Edited();
    return !std::ranges::equal(ContentInMemory([&edited](OutputFile& out) {
        for (const ByteRange& piece : edited.pieces) out.Write(piece);
    }), file_.bytes);
}

void PatternReplacement::WriteTo(const std::string& outPath) const {
    const std::filesystem::path out = PathFromUtf8(outPath);
    for (const std::string& picture : pictures_) RefuseInputAsOutput(out, picture);
    const EditedFile edited = Edited();
    // The edited file may be the only copy of the skinner's work.
    WriteOnlyCopyAtomically(out, [&edited](OutputFile& output) {
        for (const ByteRange& piece : edited.pieces) output.Write(piece);
    });
}

}  // namespace pelliton
