// The texture files of a mod folder: found at any depth and in any letter case, in one order on
// every run, and a link back up the tree followed no further.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/PellitonError.h"
#include "roundtrip/TextureFileTree.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(TextureFileTree, FindsRshAndRtxFilesAtAnyDepthInOneOrder) {
    const TempDir dir;
    for (const char* name : {"b/z.rsh", "a.RSH", "b/a/y.Rtx", "b/notes.txt", "b/rsh", "c/d/e/deep.rtx"}) {
        fs::create_directories((dir.path() / name).parent_path());
        dir.Write(name, {1});
    }
    fs::create_directories(dir.path() / "folder.rsh");
#ifdef __linux__
    fs::create_directory_symlink("..", dir.path() / "b" / "up");  // a loop, were it followed
    fs::create_symlink("../a.RSH", dir.path() / "c" / "linked.rsh");
#endif
    const TextureFileTree tree = FindTextureFiles(dir.path().string());
    std::vector<std::string> found;
    for (const TextureFile& file : tree.files) found.push_back(file.relative.generic_string());
    std::vector<std::string> expected = {"a.RSH", "b/a/y.Rtx", "b/z.rsh", "c/d/e/deep.rtx"};
#ifdef __linux__
    expected.push_back("c/linked.rsh");
#endif
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(tree.problems.empty());
    EXPECT_EQ(PicturesFolderOf("out", "b/a/y.Rtx").generic_string(), "out/b/a/y");
}

TEST(TextureFileTree, ARootThatIsNoFolderIsRefused) {
    const TempDir dir;
    const std::string file = dir.Write("a.rsh", {1});
    EXPECT_THROW(FindTextureFiles(file), PellitonError);
    EXPECT_THROW(FindTextureFiles((dir.path() / "none").string()), PellitonError);
}

}  // namespace
}  // namespace pelliton
