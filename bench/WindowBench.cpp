// The window's open road, from a chosen file (the open dialog's answer, a drop, the command line) to
// the window painted with the new frame, against copying the same file, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>

#include "bench/BenchFiles.h"
#include "shell/MainWindow.h"
#include "shell/QtWindowDialogs.h"

namespace pelliton::bench {
namespace {

// The user's own list of recent files stays as it was.
class NoRecentFiles : public RecentFilesStore {
public:
    std::vector<std::string> Load() override { return {}; }
    void Store(const std::vector<std::string>&) override {}
};

// Each run starts with nothing waiting to be written back, so that none pays for the one before.
void StartClean(benchmark::State& state) {
    state.PauseTiming();
    sync();
    state.ResumeTiming();
}

void CopyFile(benchmark::State& state, const std::string& file) {
    const auto copy = std::filesystem::temp_directory_path() / "pelliton-bench" / "window-copy.rsh";
    for (auto _ : state) {
        StartClean(state);
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
    }
}

// The export lands beside the source, as in the window; every repaint the open causes is done
// before the clock stops.
void OpenInWindow(benchmark::State& state, const std::string& file) {
    MainWindow window(std::make_unique<QtWindowDialogs>(), std::make_unique<NoRecentFiles>());
    window.show();
    QApplication::processEvents();
    const QString path = QString::fromStdString(file);
    for (auto _ : state) {
        StartClean(state);
        window.OpenFile(path);
        window.repaint();
        QApplication::processEvents();
    }
}

void BM_CopyFile_Dxt5_4096(benchmark::State& state) { CopyFile(state, Dxt5File4096()); }
void BM_OpenInWindow_Dxt5_4096(benchmark::State& state) { OpenInWindow(state, Dxt5File4096()); }
void BM_CopyFile_Uncompressed_2048(benchmark::State& state) { CopyFile(state, UncompressedFile2048()); }
void BM_OpenInWindow_Uncompressed_2048(benchmark::State& state) { OpenInWindow(state, UncompressedFile2048()); }

BENCHMARK(BM_CopyFile_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenInWindow_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFile_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenInWindow_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench

// Widgets need an application object; without a display they are drawn off screen.
int main(int argc, char* argv[]) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
