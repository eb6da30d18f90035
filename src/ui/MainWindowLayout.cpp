// Where the main window's controls stand at any size of its client area.
#include "ui/MainWindowLayout.h"

#include <algorithm>

namespace pelliton::ui {

MainWindowPlaces PlaceMainWindow(int clientWidth, int clientHeight) {
    const MainWindowLayout& designed = kMainWindow;
    const PixelRect client = ToPixels(TwipsRect{0, 0, designed.clientArea.width, designed.clientArea.height});
    const int extraWidth = std::max(0, clientWidth - client.width);
    const int extraHeight = std::max(0, clientHeight - client.height);
    const int logColumnExtra = extraWidth / 4;

    MainWindowPlaces places{ToPixels(designed.logPane), ToPixels(designed.textureList),
                            ToPixels(designed.teamColourButtons), ToPixels(designed.refreshButton.place), ToPixels(designed.previewPane),
                            ToPixels(designed.statusBar)};
    places.logPane.width += logColumnExtra;
    places.logPane.height += extraHeight;
    places.textureList.top += extraHeight;
    places.textureList.width += logColumnExtra;
    places.teamColourButtons.top += extraHeight;
    places.teamColourButtons.width += logColumnExtra;
    places.refreshButton.left += logColumnExtra;
    places.previewPane.left += logColumnExtra;
    places.previewPane.width += extraWidth - logColumnExtra;
    places.previewPane.height += extraHeight;
    places.statusBar.top += extraHeight;
    places.statusBar.width += extraWidth;
    return places;
}

PixelRect TeamColourButtonPlace(const PixelRect& row, int index) {
    const int shared = row.width - kTeamColourButtonGap * (kTeamColourButtons - 1);
    const int left = row.left + index * shared / kTeamColourButtons + index * kTeamColourButtonGap;
    const int right = row.left + (index + 1) * shared / kTeamColourButtons + index * kTeamColourButtonGap;
    return {left, row.top, right - left, row.height};
}

}  // namespace pelliton::ui
