// The About window: its layout, the ways it closes, and "&System Info...".
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "about/AboutWindow.h"
#include "about/InMemoryRegistry.h"
#include "about/RecordingProgramStarter.h"
#include "about/SystemInformation.h"
#include "ui/qt/AppIcon.h"

namespace pelliton {
namespace {

using testing::InMemoryRegistry;
using testing::RecordingProgramStarter;

class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindowTest() {
        auto fakeRegistry = std::make_unique<InMemoryRegistry>();
        auto fakeStarter = std::make_unique<RecordingProgramStarter>();
        registry = fakeRegistry.get();
        starter = fakeStarter.get();
        window = new AboutWindow({std::move(fakeRegistry), std::move(fakeStarter)},
                              [this](QWidget*, const QString& message) { messages.push_back(message); });
        window->show();
    }
    ~AboutWindowTest() override { delete window; }

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
    QPointer<AboutWindow> window;
    QStringList messages;
};

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

TEST_F(AboutWindowTest, FixedDialogFrameWithItsCaption) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(window->size(), QSize(423, 242));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->parentWidget(), nullptr);
}

TEST_F(AboutWindowTest, ControlsSitAtTheirPlacesWithTheirTexts) {
    struct Place {
        const char* name;
        QRect geometry;  // pixels: the designed twips divided by 15
        QString text;
    };
    const Place places[] = {
        {"icon", {16, 16, 36, 68}, {}},
        {"okButton", {299, 175, 98, 23}, QStringLiteral("OK")},
        {"systemInfoButton", {300, 205, 97, 23}, QStringLiteral("&System Info...")},
        {"disclaimer", {17, 175, 274, 55}, {}},
        {"description", {80, 75, 313, 78},
         QStringLiteral("Application to view / extract Warhammer 40000: Dawn of War RSH Texture Files.")},
        {"versionLine", {80, 56, 313, 15}, QStringLiteral("Version 1.0.0 (18-Oct-2004)")},
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
    EXPECT_FALSE(Find<QLabel>("disclaimer")->text().isEmpty());

    const auto* productName = Find<QLineEdit>("productName");
    ASSERT_NE(productName, nullptr);
    EXPECT_EQ(productName->geometry(), QRect(80, 16, 313, 25));
    EXPECT_EQ(productName->text(), QStringLiteral("Quibbo's Pelliton / Extractor"));
    EXPECT_TRUE(productName->font().bold());
    EXPECT_DOUBLE_EQ(productName->font().pointSizeF(), 13.5);
}

TEST_F(AboutWindowTest, IconIsTheMainWindowsIconOnLightGrey) {
    const auto* icon = Find<QLabel>("icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().toImage(), AppIcon().pixmap(32, 32).toImage());
    EXPECT_EQ(icon->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(AboutWindowTest, TwoLinesFormAnEtchedSeparator) {
    struct Line {
        const char* name;
        QRect geometry;
        QColor colour;
    };
    const Line expected[] = {{"separatorShadow", {15, 162, 385, 1}, QColor(128, 128, 128)},
                             {"separatorHighlight", {16, 163, 384, 2}, Qt::white}};
    for (const Line& line : expected) {
        SCOPED_TRACE(line.name);
        const auto* shown = Find<QFrame>(line.name);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->geometry(), line.geometry);
        EXPECT_EQ(shown->palette().color(QPalette::Window), line.colour);
    }
}

TEST_F(AboutWindowTest, OkComesFirstInTheFocusOrder) {
    EXPECT_EQ(window->focusWidget(), Find<QPushButton>("okButton"));
    EXPECT_EQ(Find<QPushButton>("okButton")->nextInFocusChain(), Find<QPushButton>("systemInfoButton"));
}

TEST_F(AboutWindowTest, EveryWayOfClosingDiscardsTheWindow) {
    const std::pair<const char*, std::function<void(AboutWindow&)>> ways[] = {
        {"OK", [](AboutWindow& about) { QTest::mouseClick(about.findChild<QPushButton*>("okButton"), Qt::LeftButton); }},
        {"Esc", [](AboutWindow& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"Enter", [](AboutWindow& about) { QTest::keyClick(about.focusWidget(), Qt::Key_Return); }},
        {"close box", [](AboutWindow& about) { about.close(); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        if (!window) {
            window = new AboutWindow();
            window->show();
        }
        close(*window);
        EXPECT_TRUE(Discarded());
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AboutWindowTest, EnterOnSystemInfoStartsItAndKeepsTheWindow) {
    auto* systemInfo = Find<QPushButton>("systemInfoButton");
    systemInfo->setFocus();
    QTest::keyClick(systemInfo, Qt::Key_Return);
    EXPECT_EQ(messages, QStringList{kUnavailable});
    EXPECT_FALSE(Discarded());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutWindowTest, SystemInfoStartsTheProgramFoundOrSaysItIsUnavailable) {
    QTest::mouseClick(Find<QPushButton>("systemInfoButton"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{kUnavailable});

    const std::string program = "C:\\Tools\\msinfo32.exe";
    registry->Set(std::string(kMsinfoKey), std::string(kMsinfoPathValue), testing::TextValue(program));
    starter->startable = {program};
    QTest::mouseClick(Find<QPushButton>("systemInfoButton"), Qt::LeftButton);
    EXPECT_EQ(starter->starts, std::vector<std::string>{program});
    EXPECT_EQ(messages.size(), 1) << "no message once the program starts";
}

TEST(AboutWindowPlatformTest, WithoutARegistrySystemInfoIsUnavailable) {
    QStringList messages;
    auto* window = new AboutWindow(PlatformSystemInformation(),
                                [&messages](QWidget*, const QString& message) { messages.push_back(message); });
    QTest::mouseClick(window->findChild<QPushButton*>("systemInfoButton"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{kUnavailable});
    delete window;
}

}  // namespace
}  // namespace pelliton
