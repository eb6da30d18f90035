// Reading a large RSH file against a plain sequential read of the same bytes, in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/BenchFiles.h"
#include "common/FileSource.h"
#include "rsh/RshReader.h"

namespace pelliton::bench {
namespace {

void PlainRead(benchmark::State& state, const std::string& path) {
    const auto size = std::filesystem::file_size(path);
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> bytes(size);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void ReadRsh(benchmark::State& state, const std::string& path) {
    const auto size = std::filesystem::file_size(path);
    NullView log;
    for (auto _ : state) {
        RshRecords rsh;  // a fresh load allocates its arrays, as the plain read does
        const FileSource file(path);
        ReadRshRecords(file, rsh, log);
        benchmark::DoNotOptimize(rsh.blockTexels.data());
        benchmark::DoNotOptimize(rsh.pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_PlainRead_Dxt5_4096(benchmark::State& state) { PlainRead(state, Dxt5File4096()); }
void BM_ReadRsh_Dxt5_4096(benchmark::State& state) { ReadRsh(state, Dxt5File4096()); }
void BM_PlainRead_Uncompressed_2048(benchmark::State& state) { PlainRead(state, UncompressedFile2048()); }
void BM_ReadRsh_Uncompressed_2048(benchmark::State& state) { ReadRsh(state, UncompressedFile2048()); }

BENCHMARK(BM_PlainRead_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadRsh_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadRsh_Uncompressed_2048)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
