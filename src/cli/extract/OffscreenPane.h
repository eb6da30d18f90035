// The headless stand-in for the preview pane: the window's pane size, keeping the last presented frame
// when asked to.
#pragma once

#include <optional>

#include "preview/PreviewDevice.h"
#include "preview/d3d8/DeviceWindow.h"

namespace pelliton {

class OffscreenPane : public d3d8::DeviceWindow {
public:
    // A pane whose frames nobody will ask for does not copy them.
    explicit OffscreenPane(bool keepsFrames) : keepsFrames_(keepsFrames) {}

    int ClientWidth() const override { return kPreviewPaneClientSize; }
    int ClientHeight() const override { return kPreviewPaneClientSize; }
    void ShowFrame(const d3d8::FrameView& frame) override {
        if (keepsFrames_) frame_.emplace(frame);
    }

    const std::optional<d3d8::Frame>& PresentedFrame() const { return frame_; }

private:
    bool keepsFrames_;
    std::optional<d3d8::Frame> frame_;
};

}  // namespace pelliton
