// Writing the preview frame of a large texture as a PNG file, as pelliton-extract --preview does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "bench/BenchFiles.h"
#include "cli/extract/PngFile.h"
#include "session/RshSession.h"

namespace pelliton::bench {
namespace {

class KeepingPane : public d3d8::DeviceWindow {
public:
    int ClientWidth() const override { return kPreviewPaneClientSize; }
    int ClientHeight() const override { return kPreviewPaneClientSize; }
    void ShowFrame(const d3d8::FrameView& frame) override { shown.emplace(frame); }

    std::optional<d3d8::Frame> shown;
};

void BM_WritePreviewPng_Dxt5_4096(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench" / "png";
    std::filesystem::create_directories(folder);
    NullView view;
    KeepingPane pane;
    RshSession session(view, pane);
    session.SetOutputFolder(folder);
    if (session.Open(Dxt5File4096()).outcome != OpenResult::Outcome::Completed || !pane.shown) {
        state.SkipWithError("no frame");
        return;
    }
    for (auto _ : state) WritePngFile(folder / "frame.png", *pane.shown);
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(folder / "frame.png")) / 1e3;
}

BENCHMARK(BM_WritePreviewPng_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
