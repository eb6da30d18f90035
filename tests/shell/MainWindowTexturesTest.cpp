// The texture list: every texture of the file opened from the command line, the first selected;
// another row chosen shows its texture and writes nothing; a file that cannot be read lists none.
#include <map>

#include <QHeaderView>

#include "rshwrite/ChunkTreeWriter.h"
#include "rshwrite/RshWriter.h"
#include "shell/ShellWindowTest.h"
#include "shell/StartupFile.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;

QStringList RowTexts(const QTreeWidgetItem& item) {
    QStringList texts;
    for (int column = 0; column < item.columnCount(); ++column) texts << item.text(column);
    return texts;
}

// Every file in the folder and its bytes: selecting must leave them all as they were.
std::map<std::filesystem::path, std::vector<std::uint8_t>> FolderContents(const std::filesystem::path& folder) {
    std::map<std::filesystem::path, std::vector<std::uint8_t>> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) contents[entry.path()] = ReadFileBytes(entry.path());
    return contents;
}

class MainWindowTexturesTest : public testing::ShellWindowTest {};

TEST_F(MainWindowTexturesTest, TheSampleFromTheCommandLineShowsThreeRowsTheFirstSelected) {
    const std::optional<QString> named =
        FileToOpenAtStart({QStringLiteral("pelliton"), QStringLiteral("--verbose"), CopySample()});
    ASSERT_TRUE(named.has_value());
    window->OpenFile(*named);

    ASSERT_EQ(List()->columnCount(), 4);
    EXPECT_FALSE(List()->rootIsDecorated());
    EXPECT_EQ(RowTexts(*List()->headerItem()),
              (QStringList{QStringLiteral("Name"), QStringLiteral("Format"), QStringLiteral("Size"),
                           QStringLiteral("MIPs")}));
    const QStringList expected[] = {
        {QStringLiteral("sample_tank"), QStringLiteral("DXT1"), QStringLiteral("128 x 128"), QStringLiteral("8")},
        {QStringLiteral("sample_tank_spec"), QStringLiteral("DXT5"), QStringLiteral("64 x 64"), QStringLiteral("7")},
        {QStringLiteral("_reflection_sample_vehicles"), QStringLiteral("DXT3"), QStringLiteral("32 x 32"),
         QStringLiteral("6")},
    };
    ASSERT_EQ(List()->topLevelItemCount(), static_cast<int>(std::size(expected)));
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
        EXPECT_EQ(RowTexts(*List()->topLevelItem(row)), expected[row]) << "row " << row;
        EXPECT_EQ(List()->topLevelItem(row)->toolTip(0), expected[row][0]) << "the whole name, however narrow";
        EXPECT_TRUE(List()->topLevelItem(row)->toolTip(1).isEmpty()) << "no problem in row " << row;
    }
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(0));
    EXPECT_EQ(List()->selectedItems(), QList<QTreeWidgetItem*>{List()->topLevelItem(0)});
    EXPECT_FALSE(Frame().isNull());
}

TEST_F(MainWindowTexturesTest, ChoosingAnotherRowShowsItsTextureAndWritesNothing) {
    window->OpenFile(CopySample());
    const QImage first = Frame();
    const auto contents = FolderContents(folder.path());

    ClickRow(1);
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(1));
    const QImage second = Frame();
    EXPECT_NE(second, first);
    EXPECT_EQ(FolderContents(folder.path()), contents);
    EXPECT_FALSE(Title().startsWith(QLatin1Char('*')));

    ClickRow(2);
    EXPECT_NE(Frame(), second);
    ClickRow(0);
    EXPECT_EQ(Frame(), first) << "the first texture again, drawn as it was";
    EXPECT_EQ(FolderContents(folder.path()), contents);
}

TEST_F(MainWindowTexturesTest, AFileThatCannotBeReadEmptiesTheList) {
    window->OpenFile(CopySample());
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    folder.Write("broken.rsh", {'R', 'e', 'l', 'i', 'c'});

    window->OpenFile(QString::fromStdString(InFolder("broken.rsh")));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Log().contains(QStringLiteral("Error: "))) << Log().toStdString();
    EXPECT_FALSE(Action("replaceAction")->isEnabled());
    EXPECT_FALSE(Action("exportAllAction")->isEnabled());
}

TEST_F(MainWindowTexturesTest, ARowThatCannotBeShownSaysWhy) {
    const std::vector<std::uint8_t> texels(16 * 16 * 4, 0x80);
    const auto bytes = GameTextureFile(
        "art/tank", {GameTextureFolder("art/good", kImageTypeUncompressed, 16, 16, 1, texels),
                     FoldChunk("TXTR", 1, "art/broken", {DataChunk("HEAD", 1, std::vector<std::uint8_t>(8))})});
    window->OpenFile(QString::fromStdString(folder.Write("odd.rsh", bytes)));

    ASSERT_EQ(List()->topLevelItemCount(), 2);
    EXPECT_TRUE(List()->topLevelItem(0)->toolTip(1).isEmpty());
    const QTreeWidgetItem& broken = *List()->topLevelItem(1);
    for (int column = 0; column < broken.columnCount(); ++column) {
        EXPECT_EQ(broken.toolTip(column), QStringLiteral("it has no FOLDIMAG")) << "column " << column;
    }
}

TEST(FileToOpenAtStart, KeepsTheFileNameWholeThroughUtf8) {
    const QString name = QStringLiteral("-x \u00e9p\u00e9e \u2014 \U0001F5E1.rsh");
    EXPECT_EQ(FileToOpenAtStart({QStringLiteral("pelliton"), QStringLiteral("--"), name}), name);
    EXPECT_EQ(FileToOpenAtStart({QStringLiteral("pelliton"), QStringLiteral("-v")}), std::nullopt);
}

}  // namespace
}  // namespace pelliton
