// The About window: its layout, the ways it closes, and "&System Info...".
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "about/InMemoryRegistry.h"
#include "about/RecordingProgramStarter.h"
#include "about/SystemInformation.h"
#include "about/frmAbout.h"
#include "ui/AppIcon.h"

namespace pelliton {
namespace {

using testing::InMemoryRegistry;
using testing::RecordingProgramStarter;

class frmAboutTest : public ::testing::Test {
protected:
    frmAboutTest() {
        auto fakeRegistry = std::make_unique<InMemoryRegistry>();
        auto fakeStarter = std::make_unique<RecordingProgramStarter>();
        registry = fakeRegistry.get();
        starter = fakeStarter.get();
        window = new frmAbout({std::move(fakeRegistry), std::move(fakeStarter)},
                              [this](QWidget*, const QString& message) { messages.push_back(message); });
        window->show();
    }
    ~frmAboutTest() override { delete window; }

    template <typename Control>
    Control* Find(const char* name) {
        return window->findChild<Control*>(QLatin1String(name));
    }

    // True once the window has closed and discarded itself.
    bool Discarded() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    InMemoryRegistry* registry = nullptr;
    RecordingProgramStarter* starter = nullptr;
    QPointer<frmAbout> window;
    QStringList messages;
};

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

TEST_F(frmAboutTest, FixedDialogFrameWithItsCaption) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(window->size(), QSize(423, 242));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->parentWidget(), nullptr);
}

TEST_F(frmAboutTest, ControlsSitAtTheirPlacesWithTheirTexts) {
    struct Place {
        const char* name;
        QRect geometry;  // pixels: the designed twips divided by 15
        QString text;
    };
    const Place places[] = {
        {"picIcon", {16, 16, 36, 68}, {}},
        {"cmdOK", {299, 175, 98, 23}, QStringLiteral("OK")},
        {"cmdSysInfo", {300, 205, 97, 23}, QStringLiteral("&System Info...")},
        {"lblDisclaimer", {17, 175, 274, 55}, {}},
        {"lblDescription", {80, 75, 313, 78},
         QStringLiteral("Application to view / extract Warhammer 40000: Dawn of War RSH Texture Files.")},
        {"lblVersion", {80, 56, 313, 15}, QStringLiteral("Version 1.0.0 (18-Oct-2004)")},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const QWidget* control = Find<QWidget>(place.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), place.geometry);
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !place.text.isEmpty()) {
            EXPECT_EQ(label->text(), place.text);
        }
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_EQ(button->text(), place.text);
        }
    }
    EXPECT_FALSE(Find<QLabel>("lblDisclaimer")->text().isEmpty());

    const auto* title = Find<QLineEdit>("Text1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->geometry(), QRect(80, 16, 313, 25));
    EXPECT_EQ(title->text(), QStringLiteral("Quibbo's Pelliton / Extractor"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 13.5);
}

TEST_F(frmAboutTest, IconIsTheMainWindowsIconOnLightGrey) {
    const auto* icon = Find<QLabel>("picIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().toImage(), AppIcon().pixmap(32, 32).toImage());
    EXPECT_EQ(icon->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(frmAboutTest, TwoLinesFormAnEtchedSeparator) {
    struct Line {
        int index;
        QRect geometry;
        QColor colour;
    };
    const Line expected[] = {{1, {15, 162, 385, 1}, QColor(128, 128, 128)}, {0, {16, 163, 384, 2}, Qt::white}};
    const QList<QFrame*> lines = window->findChildren<QFrame*>(QStringLiteral("Line1"));
    ASSERT_EQ(lines.size(), 2);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].index);
        EXPECT_EQ(lines[static_cast<qsizetype>(i)]->property("index").toInt(), expected[i].index);
        EXPECT_EQ(lines[static_cast<qsizetype>(i)]->geometry(), expected[i].geometry);
        EXPECT_EQ(lines[static_cast<qsizetype>(i)]->palette().color(QPalette::Window), expected[i].colour);
    }
}

TEST_F(frmAboutTest, OkComesFirstInTheFocusOrder) {
    EXPECT_EQ(window->focusWidget(), Find<QPushButton>("cmdOK"));
    EXPECT_EQ(Find<QPushButton>("cmdOK")->nextInFocusChain(), Find<QPushButton>("cmdSysInfo"));
}

TEST_F(frmAboutTest, EveryWayOfClosingDiscardsTheWindow) {
    const std::pair<const char*, std::function<void(frmAbout&)>> ways[] = {
        {"OK", [](frmAbout& about) { QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton); }},
        {"Esc", [](frmAbout& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"Enter", [](frmAbout& about) { QTest::keyClick(about.focusWidget(), Qt::Key_Return); }},
        {"close box", [](frmAbout& about) { about.close(); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        if (!window) {
            window = new frmAbout();
            window->show();
        }
        close(*window);
        EXPECT_TRUE(Discarded());
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(frmAboutTest, EnterOnSystemInfoStartsItAndKeepsTheWindow) {
    auto* sysInfo = Find<QPushButton>("cmdSysInfo");
    sysInfo->setFocus();
    QTest::keyClick(sysInfo, Qt::Key_Return);
    EXPECT_EQ(messages, QStringList{kUnavailable});
    EXPECT_FALSE(Discarded());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmAboutTest, SystemInfoStartsTheProgramFoundOrSaysItIsUnavailable) {
    QTest::mouseClick(Find<QPushButton>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{kUnavailable});

    const std::string program = "C:\\Tools\\msinfo32.exe";
    registry->Set(std::string(kMsinfoKey), std::string(kMsinfoPathValue), testing::TextValue(program));
    starter->startable = {program};
    QTest::mouseClick(Find<QPushButton>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(starter->starts, std::vector<std::string>{program});
    EXPECT_EQ(messages.size(), 1) << "no message once the program starts";
}

TEST(frmAboutPlatformTest, WithoutARegistrySystemInfoIsUnavailable) {
    QStringList messages;
    auto* window = new frmAbout(PlatformSystemInformation(),
                                [&messages](QWidget*, const QString& message) { messages.push_back(message); });
    QTest::mouseClick(window->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{kUnavailable});
    delete window;
}

}  // namespace
}  // namespace pelliton
