// The application's icon, drawn in code so the main and About windows share it without image files.
#include "ui/qt/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace pelliton {

namespace {

constexpr int kIconSize = 32;
constexpr int kTiles = 4;  // per side
constexpr int kBorder = 2;

}  // namespace

QIcon AppIcon() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);

    const QColor frame(40, 32, 24);
    const QColor light(214, 162, 72);
    const QColor dark(132, 84, 36);
    painter.fillRect(pixmap.rect(), frame);

    constexpr int tile = (kIconSize - 2 * kBorder) / kTiles;
    for (int row = 0; row < kTiles; ++row) {
        for (int column = 0; column < kTiles; ++column) {
            painter.fillRect(kBorder + column * tile, kBorder + row * tile, tile, tile,
                             (row + column) % 2 == 0 ? light : dark);
        }
    }
    // A highlight across the upper left corner, so the tile reads as a surface rather than a board.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 240, 200, 160), 2));
    painter.drawLine(kBorder + 2, kIconSize / 2, kIconSize / 2, kBorder + 2);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace pelliton
