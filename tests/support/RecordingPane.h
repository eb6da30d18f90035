// A device window for tests: a fixed client size, keeping every frame presented to it.
#pragma once

#include <vector>

#include "preview/d3d8/DeviceWindow.h"

namespace pelliton::testing {

class RecordingPane : public d3d8::DeviceWindow {
public:
    explicit RecordingPane(int width = 64, int height = 64) : width_(width), height_(height) {}

    int ClientWidth() const override { return width_; }
    int ClientHeight() const override { return height_; }
    void ShowFrame(const d3d8::FrameView& frame) override { frames.emplace_back(frame); }

    std::vector<d3d8::Frame> frames;

private:
    int width_;
    int height_;
};

}  // namespace pelliton::testing
