// What a modder waits for in the window beyond the open road: a texture shown from memory in each
// view, and a pan at one texel a pixel, on the 4096 x 4096 DXT5 file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchFiles.h"
#include "preview/PreviewPaneSize.h"
#include "session/WindowSession.h"

namespace pelliton::bench {
namespace {

class NullSurface : public PaneSurface {
public:
    int ClientWidth() const override { return kPreviewPaneClientSize; }
    int ClientHeight() const override { return kPreviewPaneClientSize; }
    void ShowPixels(int, int, std::span<const std::uint32_t> pixels) override {
        benchmark::DoNotOptimize(pixels.data());
    }
};

class NullStore : public RecentFilesStore {
public:
    std::vector<std::string> Load() override { return {}; }
    void Store(const std::vector<std::string>&) override {}
};

struct OpenWindowSession {
    explicit OpenWindowSession(PreviewScale scale) {
        session.SetScale(scale);
        if (session.Open(Dxt5File4096()) != OpenOutcome::Completed) throw std::runtime_error("open failed");
    }

    NullView view;
    NullSurface pane;
    NullStore recent;
    WindowSession session{view, pane, recent};
};

// Each round decodes a level anew from memory and composes it, as selecting a row does: levels 0
// and 1 in turn, 4096 and 2048 texels a side.
void BM_SwitchMipLevels0And1_Dxt5_4096(benchmark::State& state) {
    OpenWindowSession window(static_cast<PreviewScale>(state.range(0)));
    for (auto _ : state) window.session.SetMipLevel(window.session.MipLevel() == 0 ? 1 : 0);
}

void BM_PanActualSize_Dxt5_4096(benchmark::State& state) {
    OpenWindowSession window(PreviewScale::ActualSize);
    int step = 1;
    for (auto _ : state) {
        window.session.Pan(step, step);
        step = -step;
    }
}

}  // namespace

BENCHMARK(BM_SwitchMipLevels0And1_Dxt5_4096)
    ->Arg(static_cast<int>(PreviewScale::Fit))
    ->Arg(static_cast<int>(PreviewScale::ActualSize))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanActualSize_Dxt5_4096)->Unit(benchmark::kMillisecond);

}  // namespace pelliton::bench
