// A window that grows: controls placed for every size, the preview drawn again at the pane's new
// size; the View menu's scales, alpha and MIP levels; the wheel and drags pan the picture.
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>

#include "rshwrite/RshWriter.h"
#include "shell/ShellWindowTest.h"
#include "ui/MainWindowLayout.h"
#include "ui/qt/QtGeometry.h"

namespace pelliton {
namespace {

constexpr int kPictureSide = 1024;  // larger than the pane, so that it can be panned every way

// Every texel a different colour, so that any shift of the picture shows.
std::vector<std::uint8_t> GradientTexture() {
    std::vector<std::uint8_t> texels;
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            texels.insert(texels.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                         static_cast<std::uint8_t>((x >> 8) * 64 + (y >> 8) * 16), 255});
        }
    }
    const std::int32_t bytes = kPictureSide * kPictureSide * 4;
    return WriteRshBytes(MakeTextureRecords(kImageTypeUncompressed, kPictureSide, kPictureSide, 1, bytes), texels);
}

class MainWindowViewTest : public testing::ShellWindowTest {
protected:
    QSize ClientSize() const { return window->centralWidget()->size(); }
    void ResizeClientTo(QSize client) {
        window->resize(client + (window->size() - ClientSize()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return ClientSize() == client; }, 2000))
            << ClientSize().width() << " x " << ClientSize().height();
    }
    void ExpectPlacedFor(QSize client) const {
        const ui::MainWindowPlaces places = ui::PlaceMainWindow(client.width(), client.height());
        const std::pair<const char*, ui::PixelRect> expected[] = {
            {"logPane", places.logPane},       {"textureList", places.textureList},
            {"refreshButton", places.refreshButton}, {"previewPane", places.previewPane},
            {"statusBar", places.statusBar},
        };
        for (const auto& [name, place] : expected) {
            EXPECT_EQ(window->findChild<QWidget*>(QLatin1String(name))->geometry(), ToQRect(place)) << name;
        }
        for (int index = 0; index < ui::kTeamColourButtons; ++index) {
            const auto* button = window->findChild<QPushButton*>(QStringLiteral("teamColourButton%1").arg(index + 1));
            EXPECT_EQ(button->geometry(), ToQRect(ui::TeamColourButtonPlace(places.teamColourButtons, index))) << index;
        }
    }
    void SendToPane(QEvent& event) const { QCoreApplication::sendEvent(Pane(), &event); }
    void Drag(QPoint by) const {
        const QPointF from = Pane()->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, from, Pane()->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        SendToPane(press);
        const QPointF to = from + by;
        QMouseEvent move(QEvent::MouseMove, to, Pane()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        SendToPane(move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, Pane()->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        SendToPane(release);
    }
    void WheelDown(Qt::KeyboardModifiers modifiers) const {
        const QPointF at = Pane()->rect().center();
        QWheelEvent wheel(at, Pane()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        SendToPane(wheel);
    }
    // The picture moved by `by` pixels between the two frames: what was at p is now at p + by.
    static void ExpectMoved(const QImage& before, const QImage& after, QPoint by) {
        ASSERT_EQ(before.size(), after.size());
        const QPoint centre(before.width() / 2, before.height() / 2);
        for (const QPoint offset : {QPoint(0, 0), QPoint(-60, -40), QPoint(50, 70)}) {
            const QPoint p = centre + offset;
            EXPECT_EQ(after.pixel(p + by), before.pixel(p)) << "at " << p.x() << ", " << p.y();
        }
    }
};

TEST_F(MainWindowViewTest, StartsAtTheDesignedSizeAndPlacesTheControlsForEverySize) {
    const QSize designed(779, 598);
    EXPECT_EQ(ClientSize(), designed);
    ExpectPlacedFor(designed);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::CustomizeWindowHint)) << "a normal, resizable frame";

    for (const QSize larger : {QSize(1000, 700), QSize(1279, 851)}) {
        ResizeClientTo(larger);
        ExpectPlacedFor(larger);
    }
    window->resize(300, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ClientSize() == designed; }, 2000)) << "never smaller than designed";
    ExpectPlacedFor(designed);
}

TEST_F(MainWindowViewTest, ALargerPaneGetsALargerFrame) {
    window->OpenFile(CopySample());
    const QSize before = Frame().size();
    ASSERT_EQ(before, QSize(557, 557));

    ResizeClientTo(QSize(1100, 700));  // a pane wider than it is tall
    const QRect client = Pane()->contentsRect();
    ASSERT_GT(client.width(), client.height());
    EXPECT_EQ(Frame().size(), client.size()) << "drawn again at the pane's new size";

    // The device's square picture in the middle, its background on either side.
    const QImage shown = Pane()->grab(client).toImage();
    const int left = (client.width() - client.height()) / 2;
    EXPECT_EQ(shown.pixel(left - 1, client.height() / 2), qRgb(51, 51, 51));
    EXPECT_EQ(shown.pixel(left + client.height(), client.height() / 2), qRgb(51, 51, 51));
    EXPECT_EQ(shown.pixel(client.width() / 2, client.height() / 2), Frame().pixel(client.width() / 2, client.height() / 2));
    EXPECT_NE(shown.pixel(client.width() / 2, client.height() / 2), qRgb(51, 51, 51)) << "the texture is drawn";
}

TEST_F(MainWindowViewTest, ActualSizeWithAlphaDiffersFromFitAndTheMenuShowsWhichIsOn) {
    window->OpenFile(CopySample());
    EXPECT_TRUE(Action("perspectiveAction")->isChecked());
    ClickRow(1);

    Trigger("fitAction");
    EXPECT_TRUE(Action("fitAction")->isChecked());
    EXPECT_FALSE(Action("perspectiveAction")->isChecked());
    const QImage fit = Frame();

    Trigger("actualSizeAction");
    Trigger("showAlphaAction");
    EXPECT_TRUE(Action("actualSizeAction")->isChecked());
    EXPECT_FALSE(Action("fitAction")->isChecked());
    EXPECT_TRUE(Action("showAlphaAction")->isChecked());
    EXPECT_NE(Frame(), fit);

    Trigger("showAlphaAction");
    EXPECT_FALSE(Action("showAlphaAction")->isChecked());
}

TEST_F(MainWindowViewTest, MipLevelItemsStepThroughTheLevelsAndStopAtTheEnds) {
    window->OpenFile(CopySample());
    ClickRow(1);  // 64 x 64, seven levels
    EXPECT_FALSE(Action("largerMipAction")->isEnabled());
    ASSERT_TRUE(Action("smallerMipAction")->isEnabled());
    const QImage largest = Frame();
    Trigger("smallerMipAction");
    EXPECT_NE(Frame(), largest);
    for (int level = 2; level < 7; ++level) Trigger("smallerMipAction");
    EXPECT_FALSE(Action("smallerMipAction")->isEnabled());
    EXPECT_TRUE(Action("fitAction")->isChecked()) << "a smaller level is not shown in perspective";
    Trigger("largerMipAction");
    EXPECT_TRUE(Action("smallerMipAction")->isEnabled());
}

TEST_F(MainWindowViewTest, TheWheelAndLeftDragsPanThePictureTheWayTheyPoint) {
    folder.Write("gradient.rsh", GradientTexture());
    window->OpenFile(QString::fromStdString(InFolder("gradient.rsh")));
    Trigger("actualSizeAction");
    constexpr int step = PreviewPane::kWheelStepPixels;

    struct Move {
        const char* what;
        std::function<void()> act;
        QPoint picture;  // how far the picture moves
    };
    const Move moves[] = {
        {"wheel down", [this] { WheelDown(Qt::NoModifier); }, {0, -step}},
        {"Shift+wheel down", [this] { WheelDown(Qt::ShiftModifier); }, {-step, 0}},
        {"drag right", [this] { Drag({10, 0}); }, {10, 0}},
        {"drag down and left", [this] { Drag({-7, 12}); }, {-7, 12}},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.what);
        const QImage before = Frame();
        move.act();
        ExpectMoved(before, Frame(), move.picture);
    }
}

}  // namespace
}  // namespace pelliton
