// A team-colour pattern in the Qt window: its rows, the five swatch buttons enabled while it is
// shown, a colour chosen in the dialog painting the pane, and a texture file after it.
#include <QPushButton>

#include "rshwrite/PatternWriter.h"
#include "shell/ShellWindowTest.h"
#include "ui/MainWindowLayout.h"

namespace pelliton {
namespace {

constexpr int kSide = 16;

// A white picture under a primary mask that covers it: painted, it is the primary colour itself.
std::vector<std::uint8_t> PrimaryEverywhere() {
    PatternSpec made;
    made.width = made.height = kSide;
    made.base.assign(kSide * kSide * 4, 255);
    made.layers = {{0, std::vector<std::uint8_t>(kSide * kSide, 255)}, {5, std::vector<std::uint8_t>(kSide * kSide, 0)}};
    return WritePatternFile(made);
}

QRgb RgbOf(TeamColour colour) { return qRgb(colour.red, colour.green, colour.blue); }

class MainWindowTeamColourTest : public testing::ShellWindowTest {
protected:
    QString WritePattern() const { return QString::fromStdString(folder.Write("marine.wtp", PrimaryEverywhere())); }
    QPushButton* Button(int index) const {
        return window->findChild<QPushButton*>(QStringLiteral("teamColourButton%1").arg(index + 1));
    }
    // What the user sees in the middle of the button: its swatch.
    QRgb SwatchOf(int index) const {
        const QImage shown = Button(index)->grab().toImage();
        return shown.pixel(shown.rect().center()) | 0xFF000000U;
    }
    QRgb PaneCentre() const { return Frame().pixel(Frame().rect().center()) | 0xFF000000U; }
};

TEST_F(MainWindowTeamColourTest, APatternEnablesTheSwatchesInTheirColours) {
    for (int index = 0; index < ui::kTeamColourButtons; ++index) {
        ASSERT_NE(Button(index), nullptr) << index;
        EXPECT_FALSE(Button(index)->isEnabled()) << "no pattern is shown yet";
    }

    window->OpenFile(WritePattern());

    ASSERT_EQ(List()->topLevelItemCount(), 4);
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("team colours"));
    EXPECT_EQ(List()->topLevelItem(3)->text(1), QStringLiteral("grey"));
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(0));
    const QString tips[] = {"Primary colour", "Secondary colour", "Trim colour", "Weapon colour", "Eyes colour"};
    for (int index = 0; index < ui::kTeamColourButtons; ++index) {
        EXPECT_TRUE(Button(index)->isEnabled()) << index;
        EXPECT_EQ(Button(index)->toolTip(), tips[index]);
        EXPECT_EQ(SwatchOf(index), RgbOf(DefaultTeamColours()[static_cast<std::size_t>(index)])) << index;
    }
    EXPECT_EQ(PaneCentre(), RgbOf(DefaultTeamColours()[0])) << "painted in the primary colour";
    EXPECT_TRUE(Status().endsWith(QStringLiteral("(a team colour pattern, shown in its team colours)")));
}

TEST_F(MainWindowTeamColourTest, AColourChosenInTheDialogPaintsThePaneAndTheSwatch) {
    window->OpenFile(WritePattern());
    ClickRow(1);
    const TeamColour chosen{200, 10, 90};
    dialogs->colour = chosen;

    QTest::mouseClick(Button(0), Qt::LeftButton);

    EXPECT_EQ(dialogs->colourTitles, QStringList{QStringLiteral("Primary Colour")});
    ASSERT_EQ(dialogs->colourStarts.size(), 1u);
    EXPECT_EQ(dialogs->colourStarts[0], DefaultTeamColours()[0]) << "the dialog starts at the colour now";
    EXPECT_EQ(PaneCentre(), RgbOf(chosen));
    EXPECT_EQ(SwatchOf(0), RgbOf(chosen));
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(0)) << "the painted row is shown again";

    dialogs->colour.reset();  // the user cancels
    QTest::mouseClick(Button(4), Qt::LeftButton);
    EXPECT_EQ(dialogs->colourTitles.last(), QStringLiteral("Eyes Colour"));
    EXPECT_EQ(SwatchOf(4), RgbOf(DefaultTeamColours()[4]));
    EXPECT_EQ(PaneCentre(), RgbOf(chosen));
}

TEST_F(MainWindowTeamColourTest, ATextureFileAfterThePatternDisablesTheSwatchesAndKeepsTheColours) {
    window->OpenFile(WritePattern());
    const TeamColour chosen{0, 128, 0};
    dialogs->colour = chosen;
    QTest::mouseClick(Button(2), Qt::LeftButton);

    window->OpenFile(CopySample());

    EXPECT_EQ(List()->topLevelItemCount(), 3);
    for (int index = 0; index < ui::kTeamColourButtons; ++index) EXPECT_FALSE(Button(index)->isEnabled()) << index;
    EXPECT_TRUE(Action("replaceAction")->isEnabled());
    window->OpenFile(WritePattern());
    EXPECT_EQ(SwatchOf(2), RgbOf(chosen)) << "colours stay from one file to the next";
}

}  // namespace
}  // namespace pelliton
