// Where the main window's controls stand: as designed at the first size, and beyond it the log and
// the preview take the space.
#include <gtest/gtest.h>

#include "ui/MainMenu.h"
#include "ui/MainWindowLayout.h"

namespace pelliton::ui {
namespace {

bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

int Right(const PixelRect& r) { return r.left + r.width; }
int Bottom(const PixelRect& r) { return r.top + r.height; }

TEST(MainWindowPlaces, TheDesignedSizeAndAnySmallerOneGiveTheDesignedPlaces) {
    const PixelRect client = ToPixels(TwipsRect{0, 0, kMainWindow.clientArea.width, kMainWindow.clientArea.height});
    for (const auto& [width, height] : {std::pair{client.width, client.height}, std::pair{100, 100}}) {
        const MainWindowPlaces places = PlaceMainWindow(width, height);
        EXPECT_TRUE(places.logPane == ToPixels(kMainWindow.logPane));
        EXPECT_TRUE(places.textureList == ToPixels(kMainWindow.textureList));
        EXPECT_TRUE(places.previewPane == ToPixels(kMainWindow.previewPane));
        EXPECT_TRUE(places.statusBar == ToPixels(kMainWindow.statusBar));
    }
}

TEST(MainWindowPlaces, ALargerWindowGivesItsSpaceToTheLogAndThePreview) {
    const PixelRect client = ToPixels(TwipsRect{0, 0, kMainWindow.clientArea.width, kMainWindow.clientArea.height});
    const MainWindowPlaces designed = PlaceMainWindow(client.width, client.height);
    const MainWindowPlaces grown = PlaceMainWindow(client.width + 400, client.height + 300);

    EXPECT_EQ(grown.logPane.width, designed.logPane.width + 100);
    EXPECT_EQ(grown.logPane.height, designed.logPane.height + 300);
    EXPECT_EQ(grown.textureList.height, designed.textureList.height);
    EXPECT_EQ(Bottom(grown.textureList), Bottom(designed.textureList) + 300);
    EXPECT_EQ(Right(grown.refreshButton), Right(grown.logPane)) << "Refresh stays over the log's right edge";
    EXPECT_EQ(grown.previewPane.width, designed.previewPane.width + 300);
    EXPECT_EQ(Right(grown.previewPane) - Right(designed.previewPane), 400);
    EXPECT_EQ(Bottom(grown.previewPane), Bottom(designed.previewPane) + 300);
    EXPECT_EQ(grown.statusBar.width, client.width + 400);
    EXPECT_EQ(Bottom(grown.statusBar), client.height + 300);
}

TEST(MainMenuTexts, ShortcutsAndRecentFileCaptionsReadAsAMenuShowsThem) {
    EXPECT_EQ(ShortcutText({true, Key::S, true}), "Ctrl+Shift+S");
    EXPECT_EQ(ShortcutText({true, Key::PageDown}), "Ctrl+PgDown");
    EXPECT_EQ(ShortcutText({false, Key::F1}), "F1");
    EXPECT_EQ(RecentFileCaption(3, "C:\\R&D\\tank.rsh"), "&4 C:\\R&&D\\tank.rsh");
}

}  // namespace
}  // namespace pelliton::ui
