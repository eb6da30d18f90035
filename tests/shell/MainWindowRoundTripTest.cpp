// The round trip through the window's menus: a picture put in marks the title until Save writes it,
// Save As, Export All (DDS and PNG) with its failures shown, and a folder that cannot be written.
#include <sys/stat.h>
#include <unistd.h>

#include "picture/PngEncoder.h"
#include "shell/ShellWindowTest.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;

class MainWindowRoundTripTest : public testing::ShellWindowTest {
protected:
    // A 64 x 64 PNG of stripes, unlike anything in the sample; its path.
    QString StripedPng(const std::string& name) const {
        std::vector<std::uint8_t> rgba;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const std::uint8_t level = (x / 8) % 2 == 0 ? 250 : 10;
                rgba.insert(rgba.end(), {level, 40, static_cast<std::uint8_t>(255 - level), 255});
            }
        }
        return QString::fromStdString(folder.Write(name, EncodePng(testing::PictureOf(64, 64, rgba))));
    }
    std::vector<std::string> FilesIn(const std::string& subfolder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path() / subfolder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(MainWindowRoundTripTest, APictureMarksTheTitleUntilSaveAndTheReopenedFileShowsIt) {
    const QString path = CopySample();
    window->OpenFile(path);
    const QString cleanTitle = Title();
    EXPECT_FALSE(Action("saveAction")->isEnabled());
    ClickRow(1);
    const QImage original = Frame();
    const auto before = ReadFileBytes(path.toStdString());

    dialogs->picture = StripedPng("stripes.png");
    Trigger("replaceAction");
    EXPECT_TRUE(dialogs->failures.isEmpty()) << dialogs->failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Title(), QLatin1Char('*') + cleanTitle);
    EXPECT_TRUE(Action("saveAction")->isEnabled());
    const QImage replaced = Frame();
    EXPECT_NE(replaced, original);
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(1)) << "the list keeps the row it showed";
    EXPECT_EQ(ReadFileBytes(path.toStdString()), before) << "nothing is written before Save";

    Trigger("saveAction");
    EXPECT_EQ(Title(), cleanTitle);
    EXPECT_FALSE(Action("saveAction")->isEnabled());
    EXPECT_NE(ReadFileBytes(path.toStdString()), before);

    window->OpenFile(path);
    ClickRow(1);
    EXPECT_EQ(Frame(), replaced);
    EXPECT_TRUE(dialogs->questions.isEmpty()) << "nothing was left unsaved";
}

TEST_F(MainWindowRoundTripTest, APictureThatCannotGoInIsShownAsAFailureAndChangesNothing) {
    window->OpenFile(CopySample());
    const QString title = Title();
    folder.Write("not-a-picture.png", {1, 2, 3});
    dialogs->picture = QString::fromStdString(InFolder("not-a-picture.png"));

    Trigger("replaceAction");
    ASSERT_EQ(dialogs->failures.size(), 1);
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Error: ") + dialogs->failures[0] + QStringLiteral("\r\n")))
        << Log().toStdString();
    EXPECT_EQ(Title(), title);

    dialogs->picture.reset();  // the user cancels: nothing is tried
    Trigger("replaceAction");
    EXPECT_EQ(dialogs->failures.size(), 1);
}

TEST_F(MainWindowRoundTripTest, SaveAsOffersTheOpenFileAndMakesTheNewFileTheOpenOne) {
    const QString path = CopySample();
    window->OpenFile(path);
    const auto before = ReadFileBytes(path.toStdString());
    dialogs->picture = StripedPng("stripes.png");
    Trigger("replaceAction");
    const QString copy = QString::fromStdString(InFolder("copy.rsh"));
    dialogs->saveAsPath = copy;

    Trigger("saveAsAction");
    EXPECT_EQ(dialogs->saveAsOffered, path);
    EXPECT_FALSE(Title().startsWith(QLatin1Char('*')));
    EXPECT_EQ(ReadFileBytes(path.toStdString()), before);
    EXPECT_NE(ReadFileBytes(copy.toStdString()), before);
    EXPECT_EQ(Status(), copy);
    EXPECT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(Action("recentFileAction1")->text(), QStringLiteral("&1 ") + copy);

    dialogs->saveAsPath.reset();  // cancelled: nothing is written
    Trigger("saveAsAction");
    EXPECT_EQ(dialogs->saveAsOffered, copy);
    EXPECT_TRUE(dialogs->failures.isEmpty());
}

TEST_F(MainWindowRoundTripTest, ExportAllWritesEveryTextureIntoTheChosenFolder) {
    struct Case {
        const char* action;
        const char* subfolder;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"exportAllAction", "dds", {"_reflection_sample_vehicles.DDS", "sample_tank.DDS", "sample_tank_spec.DDS"}},
        {"exportAllAsPngAction", "png", {"_reflection_sample_vehicles.PNG", "sample_tank.PNG", "sample_tank_spec.PNG"}},
    };
    window->OpenFile(CopySample());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        std::filesystem::create_directory(folder.path() / c.subfolder);
        dialogs->exportFolder = QString::fromStdString(InFolder(c.subfolder));
        Trigger(c.action);
        EXPECT_TRUE(dialogs->failures.isEmpty()) << dialogs->failures.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(FilesIn(c.subfolder), c.files);
        EXPECT_TRUE(Status().startsWith(QStringLiteral("3 of 3 textures exported"))) << Status().toStdString();
    }
}

TEST_F(MainWindowRoundTripTest, AnExportThatFailsIsShownInAMessage) {
    window->OpenFile(CopySample());
    std::filesystem::create_directory(folder.path() / "out");
    std::filesystem::create_directory(folder.path() / "out" / "sample_tank.DDS");  // its place is taken
    dialogs->exportFolder = QString::fromStdString(InFolder("out"));

    Trigger("exportAllAction");
    ASSERT_EQ(dialogs->failures.size(), 1);
    EXPECT_TRUE(dialogs->failures[0].startsWith(QStringLiteral("2 of 3 textures exported"))) << dialogs->failures[0].toStdString();
    EXPECT_TRUE(Status().startsWith(QStringLiteral("2 of 3 textures exported")));

    dialogs->exportFolder.reset();  // cancelled: nothing more is shown
    Trigger("exportAllAction");
    EXPECT_EQ(dialogs->failures.size(), 1);
}

// The first texture's export cannot be written beside the file; the texture still shows.
TEST_F(MainWindowRoundTripTest, AReadOnlyFolderStillPreviewsAndTheStatusBarSaysNothingWasExported) {
    const QString path = CopySample("readonly/sample_tank.rsh");
    const std::filesystem::path readOnly = folder.path() / "readonly";
    ASSERT_EQ(::chmod(readOnly.c_str(), 0555), 0);
    if (::access(readOnly.c_str(), W_OK) == 0) {
        ::chmod(readOnly.c_str(), 0755);
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    window->OpenFile(path);
    ::chmod(readOnly.c_str(), 0755);

    EXPECT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_TRUE(Status().contains(QStringLiteral("nothing was exported"))) << Status().toStdString();
    ASSERT_FALSE(Frame().isNull());
    const QRgb background = Frame().pixel(0, 0);
    bool drawn = false;
    for (int y = 0; y < Frame().height() && !drawn; ++y) {
        for (int x = 0; x < Frame().width() && !drawn; ++x) drawn = Frame().pixel(x, y) != background;
    }
    EXPECT_TRUE(drawn) << "the texture is drawn, not the background alone";
    EXPECT_EQ(FilesIn("readonly"), std::vector<std::string>{"sample_tank.rsh"});
}

}  // namespace
}  // namespace pelliton
