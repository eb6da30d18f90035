// The preview pane: a dark, sunken square whose contents show the last frame a device presented.
#pragma once

#include <QFrame>
#include <QImage>

#include "preview/d3d8/DeviceWindow.h"

namespace pelliton {

class PreviewPane : public QFrame, public d3d8::DeviceWindow {
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);

    int ClientWidth() const override;
    int ClientHeight() const override;
    void ShowFrame(const d3d8::FrameView& frame) override;

    // What the pane shows inside its border: the last presented frame, or nothing yet.
    const QImage& PresentedFrame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};

}  // namespace pelliton
