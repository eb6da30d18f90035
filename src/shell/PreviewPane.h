// The preview pane: a dark, sunken frame that shows the session's last frame centred, and turns the
// wheel and left-button drags into pans of the picture.
#pragma once

#include <QFrame>
#include <QImage>
#include <QPoint>

#include "session/PaneSurface.h"

namespace pelliton {

class PreviewPane : public QFrame, public PaneSurface {
    Q_OBJECT

public:
    // How far one notch of the wheel moves the picture.
    static constexpr int kWheelStepPixels = 48;

    explicit PreviewPane(QWidget* parent = nullptr);

    int ClientWidth() const override;
    int ClientHeight() const override;
    void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) override;

    // The last frame shown, at its own size, or nothing yet.
    const QImage& PresentedFrame() const { return frame_; }

signals:
    // The picture should move by these pixels: right and down are positive.
    void panRequested(int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage frame_;
    QPoint dragFrom_;
};

}  // namespace pelliton
