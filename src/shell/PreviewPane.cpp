// The preview pane: a dark, sunken frame that shows the session's last frame centred, and turns the
// wheel and left-button drags into pans of the picture.
#include "shell/PreviewPane.h"

#include <cstring>

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>

#include "preview/PreviewPaneSize.h"

namespace pelliton {

namespace {

constexpr int kWheelNotch = 120;  // QWheelEvent::angleDelta of one notch, in eighths of a degree

}  // namespace

PreviewPane::PreviewPane(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kPreviewPaneBorderPixels);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, Qt::black);
    setPalette(dark);
    setAutoFillBackground(true);  // the black around a frame smaller than the pane
    setFocusPolicy(Qt::StrongFocus);  // it takes its turn in the focus order
}

int PreviewPane::ClientWidth() const { return contentsRect().width(); }

int PreviewPane::ClientHeight() const { return contentsRect().height(); }

// Pixels are 0xXXRRGGBB, the layout of QImage::Format_RGB32.
void PreviewPane::ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) {
    QImage image(width, height, QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                    rowBytes);
    }
    frame_ = std::move(image);
    update();
}

// A repaint shows the last frame again; it never draws anything new.
void PreviewPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (frame_.isNull()) return;
    const QRect client = contentsRect();
    QPainter painter(this);
    painter.setClipRect(client);
    painter.drawImage(client.left() + (client.width() - frame_.width()) / 2,
                      client.top() + (client.height() - frame_.height()) / 2, frame_);
}

// The wheel moves the picture as it scrolls a page: down moves it up; with Shift, sideways.
void PreviewPane::wheelEvent(QWheelEvent* event) {
    const QPoint notches = event->angleDelta();
    QPoint move = event->pixelDelta().isNull() ? notches * kWheelStepPixels / kWheelNotch : event->pixelDelta();
    if (event->modifiers().testFlag(Qt::ShiftModifier)) move = QPoint(move.y() != 0 ? move.y() : move.x(), 0);
    if (!move.isNull()) emit panRequested(move.x(), move.y());
    event->accept();
}

void PreviewPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragFrom_ = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

// The picture follows the pointer.
void PreviewPane::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton)) return;
    const QPoint to = event->position().toPoint();
    const QPoint move = to - dragFrom_;
    dragFrom_ = to;
    if (!move.isNull()) emit panRequested(move.x(), move.y());
}

}  // namespace pelliton
