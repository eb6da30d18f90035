// Files in a temporary folder: the kind a picture's name declares, and each refusal of a name that
// does not fit the file.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>

#include "common/PellitonError.h"
#include "common/PngFormat.h"
#include "common/Utf8Path.h"
#include "picture/PictureKind.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kPngStart(png::kSignature.begin(), png::kSignature.end());
const Bytes kDdsStart = {'D', 'D', 'S', ' ', 124, 0, 0, 0};
const Bytes kTgaStart = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 32, 0};

struct NamedFile {
    const char* name;
    Bytes content;
    std::optional<PictureKind> kind;  // none when refused
    const char* reasonAfterPath;      // the refusal's words after the file's path
};

// What PictureKindOf makes of image: its kind, or the reason it refuses it.
struct Outcome {
    std::optional<PictureKind> kind;
    std::string reason;
};

Outcome KindOrReason(const std::string& image) {
    try {
        return {PictureKindOf(image), ""};
    } catch (const PellitonError& error) {
        return {std::nullopt, error.what()};
    }
}

TEST(PictureKind, NameDeclaresTheKindAndTheFirstBytesMustNotContradictIt) {
    const std::array cases = {
        NamedFile{"a.dds", kDdsStart, PictureKind::Dds, ""},
        NamedFile{"a.tga", kTgaStart, PictureKind::Tga, ""},
        NamedFile{"a.png", kPngStart, PictureKind::Png, ""},
        NamedFile{"UPPER.DDS", kDdsStart, PictureKind::Dds, ""},
        NamedFile{"Mixed.Tga", kTgaStart, PictureKind::Tga, ""},
        NamedFile{"bild-\xC3\xBC.PNG", kPngStart, PictureKind::Png, ""},
        // Without a signature the file is left to its decoder, however short.
        NamedFile{"no-magic.dds", kTgaStart, PictureKind::Dds, ""},
        NamedFile{"short.png", {0x89, 'P'}, PictureKind::Png, ""},
        NamedFile{"empty.tga", {}, PictureKind::Tga, ""},
        NamedFile{"png.tga", kPngStart, std::nullopt, " is a PNG file, not a TGA file"},
        NamedFile{"png.dds", kPngStart, std::nullopt, " is a PNG file, not a DDS file"},
        NamedFile{"dds.tga", kDdsStart, std::nullopt, " is a DDS file, not a TGA file"},
        NamedFile{"dds.PNG", kDdsStart, std::nullopt, " is a DDS file, not a PNG file"},
        NamedFile{"picture.bmp", kTgaStart, std::nullopt,
                  ": not a DDS, TGA or PNG file by its name (.dds, .tga or .png)"},
        NamedFile{"no-extension", kPngStart, std::nullopt,
                  ": not a DDS, TGA or PNG file by its name (.dds, .tga or .png)"},
    };
    const testing::TempDir folder;
    for (const NamedFile& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string image = folder.Write(c.name, c.content);
        const Outcome outcome = KindOrReason(image);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.reason, c.kind ? "" : image + c.reasonAfterPath);
    }
}

TEST(PictureKind, RefusesAFolderAndAMissingFile) {
    const testing::TempDir folder;
    const std::string pictures = PathToUtf8(folder.path() / "pictures.tga");
    std::filesystem::create_directory(PathFromUtf8(pictures));
    EXPECT_EQ(KindOrReason(pictures).reason, pictures + " is a folder");
    // The folder is named before its name is looked at.
    const std::string plain = PathToUtf8(folder.path());
    EXPECT_EQ(KindOrReason(plain).reason, plain + " is a folder");

    const std::string missing = PathToUtf8(folder.path() / "missing.png");
    EXPECT_EQ(KindOrReason(missing).reason.rfind("cannot open " + missing + ": ", 0), 0u)
        << KindOrReason(missing).reason;
}

}  // namespace
}  // namespace pelliton
