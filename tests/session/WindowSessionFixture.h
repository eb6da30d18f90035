// A window session as a front end drives it, with a pane and a recent-files store that keep what
// they are given, over a copy of the three-texture sample in a folder of its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "session/WindowSession.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"

namespace pelliton::testing {

class RecordingSurface : public PaneSurface {
public:
    RecordingSurface(int width, int height) : width(width), height(height) {}

    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void ShowPixels(int frameWidth, int frameHeight, std::span<const std::uint32_t> pixels) override {
        shownWidth = frameWidth;
        shownHeight = frameHeight;
        shown.assign(pixels.begin(), pixels.end());
        ++frames;
    }

    int width;
    int height;
    int shownWidth = 0;
    int shownHeight = 0;
    std::vector<std::uint32_t> shown;
    int frames = 0;
};

class MemoryRecentStore : public RecentFilesStore {
public:
    std::vector<std::string> Load() override { return kept; }
    void Store(const std::vector<std::string>& paths) override { kept = paths; }

    std::vector<std::string> kept;
};

// Keeps the current folder, which every open moves, for the tests that follow.
class KeptCurrentFolder {
public:
    KeptCurrentFolder() : saved_(std::filesystem::current_path()) {}
    ~KeptCurrentFolder() { std::filesystem::current_path(saved_); }

private:
    std::filesystem::path saved_;
};

struct WindowSessionFixture {
    explicit WindowSessionFixture(int paneWidth = 96, int paneHeight = 96) : pane(paneWidth, paneHeight) {}

    // The sample, copied into the folder; its UTF-8 path.
    std::string CopyOfSample(const std::string& name = "tank.rsh") const {
        return dir.Write(name, ReadFileBytes(std::filesystem::path(PELLITON_SAMPLES_DIR) / "sample_tank.rsh"));
    }

    KeptCurrentFolder folder;
    TempDir dir;
    RecordingView view;
    RecordingSurface pane;
    MemoryRecentStore recent;
    WindowSession session{view, pane, recent};
};

}  // namespace pelliton::testing
