// The round trip through the window: a picture put in place of a texture, saving, saving under
// another name, the question before unsaved changes are left, and exporting every texture.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Utf8Path.h"
#include "support/TempDir.h"
#include "win32/SessionWindowTest.h"
#include "win32/WideText.h"

namespace pelliton::win32 {
namespace {

using test::RowTexts;
using test::StatusText;
using testing::ReadFileBytes;

bool IsGreyed(HWND window, ui::MainCommand command) {
    return (GetMenuState(GetMenu(window), CommandId(command), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class WindowEditTest : public test::SessionWindowTest {
protected:
    // Opens a copy of the tank and puts a picture in place of its first texture.
    std::string OpenAndReplace(MainWindow& window, const std::string& name = kTank) {
        const std::string tank = CopySample(kTank, name);
        window.OpenFile(tank);
        dialogs.pictures.push_back(WritePicture("picture.png", 1));
        SendMessageW(window.Handle(), WM_COMMAND, CommandId(ui::MainCommand::Replace), 0);
        return tank;
    }
};

TEST_F(WindowEditTest, AReplacedTextureIsUnsavedUntilSavedAndThenInTheFile) {
    const std::string tank = CopySample(kTank);
    const std::vector<std::uint8_t> before = ReadFileBytes(PathFromUtf8(tank));
    Window().OpenFile(tank);
    const test::Capture shownBefore = Pane();
    EXPECT_TRUE(IsGreyed(Hwnd(), ui::MainCommand::Save));

    dialogs.pictures.push_back(WritePicture("picture.png", 1));
    Command(ui::MainCommand::Replace);
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_TRUE(Unsaved());
    EXPECT_FALSE(IsGreyed(Hwnd(), ui::MainCommand::Save));
    EXPECT_EQ(RowTexts(Item(kTextureListId), 0)[2], L"64 x 64");  // the picture's size
    EXPECT_EQ(ReadFileBytes(PathFromUtf8(tank)), before);         // in memory only

    Command(ui::MainCommand::Save);
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_FALSE(Unsaved());
    EXPECT_TRUE(IsGreyed(Hwnd(), ui::MainCommand::Save));
    EXPECT_NE(ReadFileBytes(PathFromUtf8(tank)), before);

    Window().OpenFile(tank);
    EXPECT_EQ(RowTexts(Item(kTextureListId), 0)[2], L"64 x 64");
    EXPECT_NE(Pane().pixels, shownBefore.pixels);
}

TEST_F(WindowEditTest, SaveAsWritesTheNamedFileWhichBecomesTheOpenOne) {
    const std::string tank = OpenAndReplace(Window());
    const std::vector<std::uint8_t> original = ReadFileBytes(PathFromUtf8(tank));
    const std::string copy = PathToUtf8(Folder() / "edited copy.rsh");
    dialogs.savePaths.push_back(copy);
    Command(ui::MainCommand::SaveAs);

    ASSERT_EQ(dialogs.suggestedSavePaths, std::vector{tank});
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_FALSE(Unsaved());
    EXPECT_EQ(ReadFileBytes(PathFromUtf8(tank)), original);
    EXPECT_NE(ReadFileBytes(PathFromUtf8(copy)), original);
    EXPECT_EQ(StatusText(Item(kStatusBarId)), Utf8ToWide(copy));
    EXPECT_EQ(recent.paths.front(), copy);
    EXPECT_EQ(SendMessageW(Item(kTextureListId), LVM_GETITEMCOUNT, 0, 0), 3);

    // A cancelled dialog saves nothing.
    dialogs.savePaths.push_back(std::nullopt);
    Command(ui::MainCommand::SaveAs);
    EXPECT_EQ(dialogs.suggestedSavePaths.back(), copy);
}

TEST_F(WindowEditTest, APictureThatCannotBeReadIsShownAsAFailureAndChangesNothing) {
    Window().OpenFile(CopySample(kTank));
    dialogs.pictures.push_back(testing::TempDir().Write("not a picture.png", {1, 2, 3, 4}));
    Command(ui::MainCommand::Replace);
    EXPECT_EQ(dialogs.failures.size(), 1u);
    EXPECT_FALSE(Unsaved());
    EXPECT_EQ(RowTexts(Item(kTextureListId), 0)[2], L"128 x 128");
}

// Closing, quitting and opening another file ask first; Save writes the changes, Discard drops
// them, Cancel keeps the window and the file as they are.
TEST_F(WindowEditTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheAnswerSays) {
    enum class Leave { Close, Quit, OpenAnother };
    struct Case {
        const char* name;
        Leave leave;
        UnsavedAnswer answer;
    };
    const Case cases[] = {
        {"close, save", Leave::Close, UnsavedAnswer::Save},
        {"close, discard", Leave::Close, UnsavedAnswer::Discard},
        {"close, cancel", Leave::Close, UnsavedAnswer::Cancel},
        {"quit, save", Leave::Quit, UnsavedAnswer::Save},
        {"quit, discard", Leave::Quit, UnsavedAnswer::Discard},
        {"quit, cancel", Leave::Quit, UnsavedAnswer::Cancel},
        {"open another, save", Leave::OpenAnother, UnsavedAnswer::Save},
        {"open another, discard", Leave::OpenAnother, UnsavedAnswer::Discard},
        {"open another, cancel", Leave::OpenAnother, UnsavedAnswer::Cancel},
    };
    const std::string other = CopySample("quadrants-dxt1-mips.rsh");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindow window(recent, dialogs);
        const std::string tank = OpenAndReplace(window, std::string(c.name) + ".rsh");
        const std::vector<std::uint8_t> original = ReadFileBytes(PathFromUtf8(tank));
        dialogs.questions.clear();
        dialogs.unsavedAnswers = {c.answer};

        switch (c.leave) {
            case Leave::Close:
                SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
                break;
            case Leave::Quit:
                SendMessageW(window.Handle(), WM_COMMAND, CommandId(ui::MainCommand::Quit), 0);
                break;
            case Leave::OpenAnother:
                window.OpenFile(other);
                break;
        }
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_NE(dialogs.questions[0].find(std::string(c.name) + ".rsh"), std::string::npos) << dialogs.questions[0];
        EXPECT_EQ(ReadFileBytes(PathFromUtf8(tank)) != original, c.answer == UnsavedAnswer::Save);

        const bool left = c.answer != UnsavedAnswer::Cancel;
        if (c.leave == Leave::OpenAnother) {
            ASSERT_NE(window.Handle(), nullptr);
            EXPECT_EQ(StatusText(GetDlgItem(window.Handle(), kStatusBarId)), Utf8ToWide(left ? other : tank));
            EXPECT_EQ(test::WindowText(window.Handle()).starts_with(L"*"), !left);
        } else {
            EXPECT_EQ(window.Handle() == nullptr, left);
            if (!left) {
                EXPECT_TRUE(test::WindowText(window.Handle()).starts_with(L"*"));
            }
        }
    }
    EXPECT_TRUE(dialogs.failures.empty());
}

TEST_F(WindowEditTest, ExportAllWritesEveryTextureIntoTheChosenFolder) {
    struct Case {
        ui::MainCommand command;
        const char* folder;
        const char* extension;
    };
    const Case cases[] = {
        {ui::MainCommand::ExportAll, "textures", ".dds"},
        {ui::MainCommand::ExportAllAsPng, "pictures", ".png"},
    };
    Window().OpenFile(CopySample(kTank));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::filesystem::path folder = Folder() / c.folder;
        std::filesystem::create_directory(folder);
        dialogs.folders.push_back(PathToUtf8(folder));
        Command(c.command);
        EXPECT_TRUE(dialogs.failures.empty());
        std::size_t written = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            std::string extension = PathToUtf8(entry.path().extension());
            for (char& letter : extension) letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
            EXPECT_EQ(extension, c.extension) << PathToUtf8(entry.path());
            ++written;
        }
        EXPECT_EQ(written, 3u);
        EXPECT_NE(StatusText(Item(kStatusBarId)).find(L"3 of 3"), std::wstring::npos);
    }

    // A folder that is a file: the failure is shown.
    dialogs.folders.push_back(PathToUtf8(Folder() / kTank));
    Command(ui::MainCommand::ExportAll);
    EXPECT_EQ(dialogs.failures.size(), 1u);
}

// The export beside the file cannot be written: the texture is shown all the same, from the file
// in memory, and the status bar says that nothing was exported.
class UnwritableExportTest : public WindowEditTest {
protected:
    void ExpectShownButNotExported(const std::filesystem::path& file) {
        Window().OpenFile(PathToUtf8(file));
        EXPECT_EQ(SendMessageW(Item(kTextureListId), LVM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_NE(StatusText(Item(kStatusBarId)).find(L"nothing was exported"), std::wstring::npos);
        const test::Capture pane = Pane();
        EXPECT_TRUE(std::ranges::any_of(pane.pixels, [&](std::uint32_t pixel) { return pixel != pane.pixels.front(); }));
    }
};

// Wine keeps a folder's read-only attribute only where the Unix permissions stop the user, which
// they do not for root; Windows lets files be made in a read-only folder.
TEST_F(UnwritableExportTest, InAReadOnlySourceFolder) {
    const std::filesystem::path locked = Folder() / "locked";
    std::filesystem::create_directory(locked);
    std::filesystem::copy_file(std::filesystem::absolute(PELLITON_SAMPLES_DIR) / kTank, locked / kTank);
    const std::wstring lockedPath = locked.wstring();
    SetFileAttributesW(lockedPath.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Unlock {
        std::wstring path;
        ~Unlock() { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); }
    } unlock{lockedPath};
    const std::wstring probe = (locked / "probe").wstring();
    HANDLE probeFile = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probeFile != INVALID_HANDLE_VALUE) {
        CloseHandle(probeFile);
        GTEST_SKIP() << "files can still be made in a read-only folder here (Windows, or Wine run as root)";
    }
    ExpectShownButNotExported(locked / kTank);
}

// Reproducible everywhere: a folder stands where the export would go.
TEST_F(UnwritableExportTest, WhereAFolderHasTheExportsName) {
    const std::string tank = CopySample(kTank);
    std::filesystem::create_directory(Folder() / "sample_tank.DDS");
    ExpectShownButNotExported(PathFromUtf8(tank));
}

}  // namespace
}  // namespace pelliton::win32
