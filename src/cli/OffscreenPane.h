// The headless stand-in for the preview pane: the window's pane size, keeping the last presented frame.
#pragma once

#include <optional>

#include "preview/PreviewDevice.h"
#include "preview/d3d8/DeviceWindow.h"

namespace pelliton {

class OffscreenPane : public d3d8::DeviceWindow {
public:
    int ClientWidth() const override { return kPreviewPaneClientSize; }
    int ClientHeight() const override { return kPreviewPaneClientSize; }
    void ShowFrame(const d3d8::FrameView& frame) override { frame_.emplace(frame); }

    const std::optional<d3d8::Frame>& PresentedFrame() const { return frame_; }

private:
    std::optional<d3d8::Frame> frame_;
};

}  // namespace pelliton
