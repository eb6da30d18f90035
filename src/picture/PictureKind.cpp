// Tells a picture's kind by its name and checks the name against the file's first bytes, so that a
// picture saved under the wrong name is refused as what it is, not as a broken file of the other kind.
#include "picture/PictureKind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/DdsFormat.h"
#include "common/FileSource.h"
#include "common/LittleEndianReader.h"
#include "common/PellitonError.h"
#include "common/PngFormat.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

std::string KindText(PictureKind kind) {
    switch (kind) {
        case PictureKind::Dds: return "DDS";
        case PictureKind::Tga: return "TGA";
        case PictureKind::Png: return "PNG";
    }
    return "?";
}

PictureKind KindByName(const std::string& image) {
    std::string extension = PathToUtf8(PathFromUtf8(image).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".dds") return PictureKind::Dds;
    if (extension == ".tga") return PictureKind::Tga;
    if (extension == ".png") return PictureKind::Png;
    throw PellitonError(image + ": not a DDS, TGA or PNG file by its name (.dds, .tga or .png)");
}

// The kind the file's signature shows, if it has one.
std::optional<PictureKind> KindByContent(const FileSource& file) {
    std::array<std::uint8_t, png::kSignature.size()> first{};
    const auto available = static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), first.size()));
    const auto stored = std::span(first).first(available);
    file.ReadAt(0, stored);
    if (std::ranges::equal(stored, png::kSignature)) return PictureKind::Png;
    if (stored.size() >= sizeof dds::kMagic && LittleEndianReader(stored).UInt32() == dds::kMagic) {
        return PictureKind::Dds;
    }
    return std::nullopt;
}

}  // namespace

PictureKind PictureKindOf(const std::string& image) {
    std::error_code error;  // a path that cannot be looked at is left to the open below to report
    if (std::filesystem::is_directory(PathFromUtf8(image), error)) throw PellitonError(image + " is a folder");
    const PictureKind named = KindByName(image);
    const std::optional<PictureKind> content = KindByContent(FileSource(image));
    if (content && *content != named) {
        throw PellitonError(image + " is a " + KindText(*content) + " file, not a " + KindText(named) + " file");
    }
    return named;
}

}  // namespace pelliton
