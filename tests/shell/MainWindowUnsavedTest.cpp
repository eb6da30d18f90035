// Unsaved changes are seen to before the window closes, quits or opens another file: Save writes
// them and goes on, Discard goes on without them, Cancel keeps everything as it is.
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>

#include "picture/PngEncoder.h"
#include "shell/ShellWindowTest.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;

enum class Leaving { Close, Quit, OpenAnother, OpenRecent };

struct LeavingCase {
    const char* name;
    Leaving how;
    UnsavedAnswer answer;
};

void PrintTo(const LeavingCase& c, std::ostream* out) { *out << c.name; }

class MainWindowUnsavedTest : public testing::ShellWindowTest {
protected:
    // Opens a copy of the sample and puts a grey picture in its first texture.
    void OpenAndChange() {
        path = CopySample();
        other = CopySample("other.rsh");
        window->OpenFile(other);  // so that it is among the recent files
        window->OpenFile(path);
        original = ReadFileBytes(path.toStdString());
        const std::vector<std::uint8_t> grey(128 * 128 * 4, 128);
        dialogs->picture = QString::fromStdString(folder.Write("grey.png", EncodePng(testing::PictureOf(128, 128, grey))));
        Trigger("replaceAction");
        ASSERT_TRUE(Title().startsWith(QLatin1Char('*')));
    }
    void Leave(Leaving how) {
        switch (how) {
            case Leaving::Close:
                window->close();
                return;
            case Leaving::Quit:
                Trigger("quitAction");
                return;
            case Leaving::OpenAnother:
                dialogs->rshFile = other;
                Trigger("openAction");
                return;
            case Leaving::OpenRecent:
                ASSERT_EQ(Action("recentFileAction2")->text(), QStringLiteral("&2 ") + other);
                Trigger("recentFileAction2");
                return;
        }
    }
    bool WentOn(Leaving how) const {
        return how == Leaving::Close || how == Leaving::Quit ? !window->isVisible() : Status() == other;
    }

    QString path;
    QString other;
    std::vector<std::uint8_t> original;
};

class LeavingUnsavedChanges : public MainWindowUnsavedTest, public ::testing::WithParamInterface<LeavingCase> {};

TEST_P(LeavingUnsavedChanges, AsksOnceAndDoesWhatTheAnswerSays) {
    const LeavingCase& c = GetParam();
    OpenAndChange();
    dialogs->unsavedAnswer = c.answer;

    Leave(c.how);
    EXPECT_EQ(dialogs->questions, QStringList{QStringLiteral("Save the changes to sample_tank.rsh?")});
    EXPECT_TRUE(dialogs->failures.isEmpty());
    EXPECT_EQ(WentOn(c.how), c.answer != UnsavedAnswer::Cancel);
    EXPECT_EQ(ReadFileBytes(path.toStdString()) != original, c.answer == UnsavedAnswer::Save);
    if (c.answer == UnsavedAnswer::Cancel) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(Title().startsWith(QLatin1Char('*'))) << "the changes are still there";
        EXPECT_EQ(Status(), path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , LeavingUnsavedChanges,
    ::testing::Values(LeavingCase{"CloseSave", Leaving::Close, UnsavedAnswer::Save},
                      LeavingCase{"CloseDiscard", Leaving::Close, UnsavedAnswer::Discard},
                      LeavingCase{"CloseCancel", Leaving::Close, UnsavedAnswer::Cancel},
                      LeavingCase{"QuitSave", Leaving::Quit, UnsavedAnswer::Save},
                      LeavingCase{"QuitDiscard", Leaving::Quit, UnsavedAnswer::Discard},
                      LeavingCase{"QuitCancel", Leaving::Quit, UnsavedAnswer::Cancel},
                      LeavingCase{"OpenSave", Leaving::OpenAnother, UnsavedAnswer::Save},
                      LeavingCase{"OpenDiscard", Leaving::OpenAnother, UnsavedAnswer::Discard},
                      LeavingCase{"OpenCancel", Leaving::OpenAnother, UnsavedAnswer::Cancel},
                      LeavingCase{"RecentSave", Leaving::OpenRecent, UnsavedAnswer::Save},
                      LeavingCase{"RecentDiscard", Leaving::OpenRecent, UnsavedAnswer::Discard},
                      LeavingCase{"RecentCancel", Leaving::OpenRecent, UnsavedAnswer::Cancel}),
    [](const ::testing::TestParamInfo<LeavingCase>& info) { return info.param.name; });

TEST_F(MainWindowUnsavedTest, NothingIsAskedWithoutChanges) {
    window->OpenFile(CopySample());
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs->questions.isEmpty());
}

TEST_F(MainWindowUnsavedTest, ASaveThatFailsShowsWhyAndTheWindowStays) {
    OpenAndChange();
    const std::filesystem::path here = folder.path();
    ASSERT_EQ(::chmod(here.c_str(), 0555), 0);
    if (::access(here.c_str(), W_OK) == 0) {
        ::chmod(here.c_str(), 0755);
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    dialogs->unsavedAnswer = UnsavedAnswer::Save;
    window->close();
    ::chmod(here.c_str(), 0755);

    EXPECT_EQ(dialogs->failures.size(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Title().startsWith(QLatin1Char('*')));
    EXPECT_EQ(ReadFileBytes(path.toStdString()), original);
}

}  // namespace
}  // namespace pelliton
