// The preview pane: a dark, sunken square whose contents show the last frame a device presented.
#include "shell/PreviewPane.h"

#include <cstring>

#include <QPainter>
#include <QPalette>

#include "preview/PreviewDevice.h"

namespace pelliton {

PreviewPane::PreviewPane(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kPreviewPaneBorderPixels);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, Qt::black);
    setPalette(dark);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);  // it takes its turn in the focus order
}

int PreviewPane::ClientWidth() const { return contentsRect().width(); }

int PreviewPane::ClientHeight() const { return contentsRect().height(); }

// Frames hold 0xXXRRGGBB pixels, the layout of QImage::Format_RGB32.
void PreviewPane::ShowFrame(const d3d8::FrameView& frame) {
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    for (int y = 0; y < frame.height; ++y) {
        std::memcpy(image.scanLine(y), frame.pixels.data() + static_cast<std::size_t>(y) * frame.width,
                    static_cast<std::size_t>(frame.width) * sizeof(std::uint32_t));
    }
    frame_ = std::move(image);
    update();
}

// A repaint shows the last presented frame again; it never draws anything new.
void PreviewPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (frame_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), frame_);
}

}  // namespace pelliton
