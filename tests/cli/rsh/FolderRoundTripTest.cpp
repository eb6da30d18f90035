// pelliton-rsh extract -r and replace -r: a whole mod folder out, edited pictures back, and nothing
// else touched.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/rsh/RshToolFixtures.h"
#include "picture/PngEncoder.h"
#include "support/TempDir.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

namespace fs = std::filesystem;
using testing::BlockTexture;
using testing::GameFile;
using testing::ReadFileBytes;
using testing::RunTool;
using testing::TempDir;

// Three files as a mod holds them: one texture name in all three (the shared reflection map), one
// an RTX file in capitals, and a file that is no texture file at all.
struct Mod {
    TempDir dir;
    fs::path root = dir.path() / "mod";
    fs::path pictures = dir.path() / "pictures";
    std::vector<std::string> files = {"races/ig/ig_baneblade_a.rsh", "races/ig/ig_chimera.RTX", "races/ork/ork_tank.rsh"};

    Mod() {
        const auto shared = BlockTexture("_reflection_ig_vehicles", kImageTypeDxt3Game, "DXT3", 4, 4, 1, 9);
        std::uint8_t seed = 1;
        for (const std::string& file : files) {
            fs::create_directories((root / file).parent_path());
            const std::string own = fs::path(file).stem().string();
            Write(file, GameFile({BlockTexture(own, kImageTypeDxt5, "DXT5", 8, 8, 4, seed++), shared}));
        }
        Write("races/ig/readme.txt", {'h', 'i'});
    }
    void Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
        dir.Write(fs::path("mod").append(relative).string(), bytes);
    }
    fs::path Picture(const std::string& file, const std::string& name) const {
        return pictures / fs::path(file).parent_path() / fs::path(file).stem() / name;
    }
};

struct FileState {
    std::vector<std::uint8_t> bytes;
    fs::file_time_type time;
};

std::map<std::string, FileState> StateOf(const Mod& mod) {
    std::map<std::string, FileState> state;
    for (const std::string& file : mod.files) {
        state[file] = {ReadFileBytes(mod.root / file), fs::last_write_time(mod.root / file)};
    }
    return state;
}

// Sets a file's time back, so that whatever the test writes next is newer whatever the clock's grain.
void MakeOlder(const fs::path& path) { fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1)); }

TEST(RshToolFolders, ExtractKeepsEachFilesTexturesApartUnderItsPath) {
    const Mod mod;
    const auto run = RunTool({"extract", "-r", mod.root.string(), "-C", mod.pictures.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, mod.root.string() + ": 6 textures of 3 files written into " + mod.pictures.string() + "\n");
    for (const std::string& file : mod.files) {
        const TempDir alone;
        const auto single = RunTool({"extract", "-C", alone.path().string(), (mod.root / file).string()});
        ASSERT_EQ(single.status, 0) << single.err;
        for (const std::string& name : {fs::path(file).stem().string() + ".DDS", std::string("_reflection_ig_vehicles.DDS")}) {
            EXPECT_EQ(ReadFileBytes(mod.Picture(file, name)), ReadFileBytes(alone.path() / name)) << file << " " << name;
        }
    }
    EXPECT_FALSE(fs::exists(mod.pictures / "races/ig/readme"));
}

TEST(RshToolFolders, ExtractNamesEachFailureAndDoesTheRest) {
    const Mod mod;
    mod.Write("races/broken.rsh", {'R', 'e', 'l'});
    const auto run = RunTool({"extract", "-r", mod.root.string(), "-C", mod.pictures.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + (mod.root / "races/broken.rsh").generic_string() +
                           ": the file is 3 bytes, too short for the 24-byte file header\n");
    EXPECT_EQ(run.out, mod.root.string() + ": 6 textures of 4 files written into " + mod.pictures.string() +
                           "; 1 file failed\n");
    EXPECT_TRUE(fs::exists(mod.Picture(mod.files[2], "ork_tank.DDS")));
}

// The round trip of a folder: two pictures edited, exactly their two files changed, each as a single
// replace of the same picture would change it, and every other file neither changed nor written.
TEST(RshToolFolders, ReplaceChangesExactlyTheFilesWhosePicturesWereEdited) {
    const Mod mod;
    ASSERT_EQ(RunTool({"extract", "-r", "--png", mod.root.string(), "-C", mod.pictures.string()}).status, 0);
    ASSERT_EQ(RunTool({"extract", "-r", mod.root.string(), "-C", mod.pictures.string()}).status, 0);
    for (const std::string& file : mod.files) MakeOlder(mod.root / file);
    const auto before = StateOf(mod);

    // A modder's DDS of new texels, and a PNG painted over; the exports beside them are older.
    const fs::path editedDds = mod.Picture(mod.files[0], "_reflection_ig_vehicles.DDS");
    auto dds = ReadFileBytes(editedDds);
    dds.back() ^= 0xFF;
    mod.dir.Write(fs::relative(editedDds, mod.dir.path()).string(), dds);
    MakeOlder(mod.Picture(mod.files[0], "_reflection_ig_vehicles.PNG"));
    const fs::path editedPng = mod.Picture(mod.files[2], "ORK_TANK.png");
    fs::remove(mod.Picture(mod.files[2], "ork_tank.PNG"));
    mod.dir.Write(fs::relative(editedPng, mod.dir.path()).string(),
                  EncodePng(testing::PictureOf(8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 0x80))));
    MakeOlder(mod.Picture(mod.files[2], "ork_tank.DDS"));

    // Each file as a single replace makes it, from a copy of the file before.
    const TempDir expected;
    const auto single = [&](const std::string& file, const fs::path& image) {
        const std::string copy = expected.Write(fs::path(file).filename().string(), before.at(file).bytes);
        EXPECT_EQ(RunTool({"replace", copy, image.string()}).status, 0);
        return ReadFileBytes(copy);
    };
    const auto expectedFirst = single(mod.files[0], editedDds);
    const auto expectedThird = single(mod.files[2], editedPng);

    const auto dryRun = RunTool({"replace", "-r", "--dry-run", mod.pictures.string(), mod.root.string()});
    EXPECT_EQ(dryRun.status, 0) << dryRun.err;
    EXPECT_EQ(dryRun.out, (mod.root / mod.files[0]).generic_string() + ": texture _reflection_ig_vehicles from " +
                              editedDds.generic_string() + " (not written: --dry-run)\n" +
                              (mod.root / mod.files[2]).generic_string() + ": texture ork_tank from " +
                              editedPng.generic_string() + " (not written: --dry-run)\n" + mod.pictures.string() +
                              ": 2 of 3 files would change, 2 textures would be replaced\n");
    EXPECT_EQ(StateOf(mod).at(mod.files[0]).time, before.at(mod.files[0]).time);

    const auto run = RunTool({"replace", "-r", mod.pictures.string(), mod.root.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, (mod.root / mod.files[0]).generic_string() + ": texture _reflection_ig_vehicles from " +
                           editedDds.generic_string() + "\n" + (mod.root / mod.files[2]).generic_string() +
                           ": texture ork_tank from " + editedPng.generic_string() + "\n" + mod.pictures.string() +
                           ": 2 of 3 files changed, 2 textures replaced\n");
    const auto after = StateOf(mod);
    EXPECT_EQ(after.at(mod.files[0]).bytes, expectedFirst);
    EXPECT_EQ(after.at(mod.files[2]).bytes, expectedThird);
    EXPECT_EQ(after.at(mod.files[1]).bytes, before.at(mod.files[1]).bytes);
    EXPECT_EQ(after.at(mod.files[1]).time, before.at(mod.files[1]).time);

    // Done once, the round trip has nothing left to do: the pictures are in, and the exports of the
    // textures as they were are older than the file.
    const auto again = RunTool({"replace", "-r", mod.pictures.string(), mod.root.string()});
    EXPECT_EQ(again.out, mod.pictures.string() + ": 0 of 3 files changed, 0 textures replaced\n");
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(StateOf(mod).at(mod.files[2]).time, after.at(mod.files[2]).time);
}

// Moves a file's time on, past anything the test writes meanwhile.
void MakeNewer(const fs::path& path) { fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1)); }

struct PictureCase {
    const char* what;
    bool ddsEdited;
    bool pngNewest;
    const char* putIn;  // the picture that goes back, or empty for none
    const char* err;    // after "pelliton-rsh: PNG: "; empty for nothing on standard error
};

// Which of a texture's pictures goes back when there are several: the newest edit, unless an
// unchanged export is newer still.
TEST(RshToolFolders, TheNewestEditGoesInUnlessAnUnchangedExportIsNewer) {
    const PictureCase cases[] = {
        {"an edited PNG newer than the unchanged DDS", false, true, "ork_tank.png", ""},
        {"an edited PNG older than the unchanged DDS", false, false, "",
         "not put in: it is older than the unchanged ork_tank.DDS beside it"},
        {"both edited, the PNG later", true, true, "ork_tank.png", ""},
        {"both edited, the DDS later", true, false, "ork_tank.DDS", ""},
    };
    for (const PictureCase& c : cases) {
        const Mod mod;
        ASSERT_EQ(RunTool({"extract", "-r", mod.root.string(), "-C", mod.pictures.string()}).status, 0);
        const fs::path png = mod.Picture(mod.files[2], "ork_tank.png");
        const fs::path dds = mod.Picture(mod.files[2], "ork_tank.DDS");
        mod.dir.Write(fs::relative(png, mod.dir.path()).string(),
                      EncodePng(testing::PictureOf(8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 0x40))));
        if (c.ddsEdited) {
            auto bytes = ReadFileBytes(dds);
            bytes.back() ^= 1;
            mod.dir.Write(fs::relative(dds, mod.dir.path()).string(), bytes);
        }
        MakeNewer(c.pngNewest ? png : dds);
        MakeOlder(mod.root / mod.files[2]);  // the edit came after the file, whatever the clock's grain
        const auto run = RunTool({"replace", "-r", mod.pictures.string(), mod.root.string()});
        EXPECT_EQ(run.status, 0) << c.what << "\n" << run.err;
        EXPECT_EQ(run.err, *c.err == '\0' ? "" : "pelliton-rsh: " + png.generic_string() + ": " + c.err + "\n")
            << c.what;
        const std::string changed = *c.putIn == '\0' ? "" : (mod.root / mod.files[2]).generic_string() +
                                                                ": texture ork_tank from " +
                                                                mod.Picture(mod.files[2], c.putIn).generic_string() + "\n";
        EXPECT_EQ(run.out, changed + mod.pictures.string() + ": " + (changed.empty() ? "0" : "1") +
                               " of 3 files changed, " + (changed.empty() ? "0 textures" : "1 texture") + " replaced\n")
            << c.what;
    }
}

// A picture saved again by an editor holds other bytes but the same pixels: nothing to put back.
TEST(RshToolFolders, APictureWithTheTexturesPixelsIsNoEdit) {
    const Mod mod;
    ASSERT_EQ(RunTool({"extract", "-r", "--png", mod.root.string(), "-C", mod.pictures.string()}).status, 0);
    const fs::path png = mod.Picture(mod.files[1], "ig_chimera.PNG");
    auto bytes = ReadFileBytes(png);
    const std::vector<std::uint8_t> textChunk = {0, 0, 0, 0, 'z', 'z', 'z', 'z', 0, 0, 0, 0};
    bytes.insert(bytes.end() - 12, textChunk.begin(), textChunk.end());  // an ancillary chunk before IEND
    mod.dir.Write(fs::relative(png, mod.dir.path()).string(), bytes);
    const auto run = RunTool({"replace", "-r", mod.pictures.string(), mod.root.string()});
    EXPECT_EQ(run.out, mod.pictures.string() + ": 0 of 3 files changed, 0 textures replaced\n") << run.err;
}

TEST(RshToolFolders, FolderFormsRefuseWrongOperands) {
    const Mod mod;
    EXPECT_EQ(RunTool({"extract", "-r", mod.root.string(), mod.root.string()}).status, 2);
    EXPECT_EQ(RunTool({"replace", "-r", mod.root.string()}).status, 2);
    EXPECT_EQ(RunTool({"replace", "-r", "-o", "x.rsh", mod.pictures.string(), mod.root.string()}).status, 2);
    const auto missing = RunTool({"replace", "-r", (mod.dir.path() / "none").string(), mod.root.string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "pelliton-rsh: " + (mod.dir.path() / "none").string() + ": no such folder of pictures\n");
}

}  // namespace
}  // namespace pelliton
