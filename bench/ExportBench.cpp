// Exporting a large texture against writing the same number of bytes to a new file, in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "bench/BenchFiles.h"
#include "export/ExtractTexture.h"
#include "common/FileSource.h"
#include "rsh/RshReader.h"

namespace pelliton::bench {
namespace {

RshRecords LoadRecords(const std::string& path) {
    RshRecords rsh;
    NullView log;
    const FileSource file(path);
    ReadRshRecords(file, rsh, log);
    return rsh;
}

std::filesystem::path OutputFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench" / "out";
    std::filesystem::create_directories(folder);
    return folder;
}

void Export(benchmark::State& state, const std::string& source) {
    const RshRecords rsh = LoadRecords(source);
    const auto folder = OutputFolder();
    NullView log;
    ExportState exported;
    for (auto _ : state) ExtractTexture(rsh, source, folder, exported, log);
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(folder / exported.exportPath)));
}

// The export's byte count written in one go to a plain file that is emptied and rewritten each time.
void PlainWrite(benchmark::State& state, const std::string& source) {
    const RshRecords rsh = LoadRecords(source);
    const auto folder = OutputFolder();
    NullView log;
    ExportState exported;
    ExtractTexture(rsh, source, folder, exported, log);
    const auto size = std::filesystem::file_size(folder / exported.exportPath);
    const std::vector<char> bytes(size, 'x');
    const auto target = folder / "plain.bin";
    for (auto _ : state) {
        std::FILE* file = std::fopen(target.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_PlainWrite_Dxt5_4096(benchmark::State& state) { PlainWrite(state, Dxt5File4096()); }
void BM_Export_Dxt5_4096(benchmark::State& state) { Export(state, Dxt5File4096()); }
void BM_PlainWrite_Uncompressed_2048(benchmark::State& state) { PlainWrite(state, UncompressedFile2048()); }
void BM_Export_Uncompressed_2048(benchmark::State& state) { Export(state, UncompressedFile2048()); }

BENCHMARK(BM_PlainWrite_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWrite_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
