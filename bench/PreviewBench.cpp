// The whole open road and the preview drawing against plain file copies and reads, in the same run,
// and the peak memory of a process that runs the road once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/BenchFiles.h"
#include "session/RshSession.h"

namespace pelliton::bench {
namespace {

class NullPane : public d3d8::DeviceWindow {
public:
    int ClientWidth() const override { return kPreviewPaneClientSize; }
    int ClientHeight() const override { return kPreviewPaneClientSize; }
    void ShowFrame(const d3d8::FrameView& frame) override { benchmark::DoNotOptimize(frame.pixels.data()); }
};

std::filesystem::path OutputFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench" / "road";
    std::filesystem::create_directories(folder);
    return folder;
}

// A session as the window keeps one, writing its exports into OutputFolder().
struct SilentSession {
    SilentSession() { session.SetOutputFolder(OutputFolder()); }

    NullView view;
    NullPane pane;
    RshSession session{view, pane};
};

void BM_CopyRsh_Dxt5_4096(benchmark::State& state) {
    const auto target = OutputFolder() / "copy.rsh";
    for (auto _ : state) {
        std::filesystem::copy_file(Dxt5File4096(), target, std::filesystem::copy_options::overwrite_existing);
    }
}

void BM_OpenRoad_Dxt5_4096(benchmark::State& state) {
    SilentSession road;
    for (auto _ : state) {
        if (road.session.Open(Dxt5File4096()).outcome != OpenResult::Outcome::Completed) state.SkipWithError("open failed");
    }
}

void BM_ReadExportedDds_Dxt5_4096(benchmark::State& state) {
    SilentSession road;
    road.session.Open(Dxt5File4096());
    const auto dds = OutputFolder() / road.session.ExportPath();
    const auto size = std::filesystem::file_size(dds);
    for (auto _ : state) {
        std::ifstream in(dds, std::ios::binary);
        std::vector<char> bytes(size);
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_RenderPreview_Dxt5_4096(benchmark::State& state) {
    SilentSession road;
    road.session.Open(Dxt5File4096());
    for (auto _ : state) road.session.RenderPreview();
}

// Runs pelliton-extract on the file once and reports its peak resident memory against the file's
// size. GNU time measures it: a child started straight from this large process would be charged
// with this process's memory until it execs.
void BM_PeakMemory_OpenRoad_Dxt5_4096(benchmark::State& state) {
    const auto folder = OutputFolder();
    const auto report = folder / "peak-kilobytes.txt";
    const std::string file = Dxt5File4096();
    const std::string command = "/usr/bin/time -f %M -o '" + report.string() + "' '" + PELLITON_EXTRACT_PROGRAM +
                                "' -C '" + folder.string() + "' --preview '" + (folder / "frame.png").string() +
                                "' '" + file + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("pelliton-extract failed");
    }
    double peakKilobytes = 0;
    std::ifstream(report) >> peakKilobytes;
    state.counters["peak_MB"] = peakKilobytes * 1024.0 / 1e6;
    state.counters["peak_per_file_size"] = peakKilobytes * 1024.0 / static_cast<double>(std::filesystem::file_size(file));
}

BENCHMARK(BM_CopyRsh_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenRoad_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadExportedDds_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderPreview_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeakMemory_OpenRoad_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace pelliton::bench
