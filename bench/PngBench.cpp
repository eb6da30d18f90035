// Writing the preview frame of a large texture as a PNG file, as pelliton-extract --preview does,
// and decoding large PNG pictures, as pelliton-rsh replace does, with the memory the decoding takes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchFiles.h"
#include "cli/extract/PngFile.h"
#include "common/FileSource.h"
#include "picture/PictureFile.h"
#include "session/RshSession.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

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

void AppendBytes(void* context, void* data, int size) {
    auto& bytes = *static_cast<std::vector<std::uint8_t>*>(context);
    bytes.insert(bytes.end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

// A painted-looking RGBA picture of side x side pixels, as stb's encoder writes it: smooth
// gradients with a little noise and a varying alpha. Written once, then kept in the temporary folder.
std::string SamplePng(int side) {
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench" / "png";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / ("rgba-" + std::to_string(side) + ".png")).string();
    if (!std::filesystem::exists(path)) {
        std::mt19937 random(7);
        std::vector<std::uint8_t> rgba;
        rgba.reserve(static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const auto noise = static_cast<int>(random() % 16);
                rgba.insert(rgba.end(),
                            {static_cast<std::uint8_t>(x / 16 + noise), static_cast<std::uint8_t>(y / 16),
                             static_cast<std::uint8_t>((x + y) / 32 + noise), static_cast<std::uint8_t>(255 - x / 64)});
            }
        }
        std::vector<std::uint8_t> png;
        stbi_write_png_to_func(AppendBytes, &png, side, side, 4, rgba.data(), side * 4);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }
    return path;
}

// The process's peak resident memory in bytes (Linux keeps it as VmHWM), and its reset.
double PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024;
    }
    return 0;
}

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_DecodePng_Rgba(benchmark::State& state) {
    const std::string path = SamplePng(static_cast<int>(state.range(0)));
    double peakGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeakResident();
        const double before = PeakResidentBytes();
        state.ResumeTiming();
        const RgbaPicture picture = DecodePng(FileSource(path), path);
        benchmark::DoNotOptimize(picture.rgba.data());
        state.PauseTiming();
        peakGrowth = std::max(peakGrowth, PeakResidentBytes() - before);
        state.ResumeTiming();
    }
    // The growth of the peak over the decoded picture's own bytes: what the decoder holds beside it.
    const double pictureBytes = static_cast<double>(state.range(0) * state.range(0) * 4);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_MiB"] = peakGrowth / (1 << 20);
    state.counters["beside_picture_MiB"] = (peakGrowth - pictureBytes) / (1 << 20);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * state.range(0) * 4);
}

BENCHMARK(BM_DecodePng_Rgba)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
