// pelliton-rsh replace: a 4096 x 4096 DXT5 DDS going in as it is, against copying the RSH file in
// the same run, and a 1024 x 1024 PNG encoded to DXT5 with its MIP chain.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "bench/BenchFiles.h"
#include "cli/rsh/Commands.h"
#include "common/DdsFormat.h"
#include "common/FileSource.h"
#include "export/DdsHeader.h"
#include "rshwrite/RshWriter.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace pelliton::bench {
namespace {

const std::filesystem::path& Folder() {
    static const auto folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "pelliton-bench" / "replace";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The texture of the bench files is named "sample"; so is the image that replaces it.
std::string SampleDds4096() {
    const std::string source = Dxt5File4096();
    const std::string path = (Folder() / "sample.dds").string();
    if (!std::filesystem::exists(path)) {
        // The DDS the texture itself exports, so that the replaced file equals the source.
        const UninitialisedBytes rsh = ReadWholeFile(source);
        const std::size_t chain = dds::MipChainBytes(dds::kDxt5, 4096, 4096, 13);
        TextureAttributes attr;
        attr.imageType = kImageTypeDxt5;
        attr.width = attr.height = 4096;
        attr.mipLevels = 13;
        const dds::FileHeader header =
            MakeDdsHeader(*FindTextureFormat(kImageTypeDxt5), attr, static_cast<std::int32_t>(chain));
        const auto* headerBytes = reinterpret_cast<const std::uint8_t*>(&header);
        std::vector<std::uint8_t> bytes(headerBytes, headerBytes + sizeof header);
        bytes.insert(bytes.end(), rsh.end() - static_cast<std::ptrdiff_t>(chain), rsh.end());
        WriteFileBytes(path, bytes);
    }
    return path;
}

void AppendBytes(void* context, void* data, int size) {
    auto& bytes = *static_cast<std::vector<std::uint8_t>*>(context);
    bytes.insert(bytes.end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

// A painted-looking picture: smooth gradients with a little noise, as PNG.
std::string SamplePng1024() {
    constexpr int kSide = 1024;
    const std::string path = (Folder() / "sample.png").string();
    if (!std::filesystem::exists(path)) {
        std::mt19937 random(7);
        std::vector<std::uint8_t> rgba;
        rgba.reserve(kSide * kSide * 4);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const auto noise = static_cast<int>(random() % 16);
                rgba.insert(rgba.end(), {static_cast<std::uint8_t>(x / 4 + noise), static_cast<std::uint8_t>(y / 4),
                                         static_cast<std::uint8_t>((x + y) / 8 + noise), 255});
            }
        }
        std::vector<std::uint8_t> png;
        stbi_write_png_to_func(AppendBytes, &png, kSide, kSide, 4, rgba.data(), kSide * 4);
        WriteFileBytes(path, png);
    }
    return path;
}

const std::string& Dxt5File1024() {
    static const std::string path = [] {
        const std::int32_t size = static_cast<std::int32_t>(dds::MipChainBytes(dds::kDxt5, 1024, 1024, 11));
        const std::string file = (Folder() / "dxt5-1024.rsh").string();
        WriteFileBytes(file, WriteRshBytes(MakeTextureRecords(kImageTypeDxt5, 1024, 1024, 11, size),
                                           std::vector<std::uint8_t>(static_cast<std::size_t>(size), 0x55)));
        return file;
    }();
    return path;
}

void Replace(benchmark::State& state, const std::string& rsh, const std::string& image) {
    const std::string out = (Folder() / "replaced.rsh").string();
    std::ostringstream report;
    for (auto _ : state) ReplaceRshTextures(rsh, {image}, out, {}, report, report);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(out)));
}

void BM_CopyFile_Dxt5_4096(benchmark::State& state) {
    const auto copy = Folder() / "copy.rsh";
    for (auto _ : state) {
        std::filesystem::copy_file(Dxt5File4096(), copy, std::filesystem::copy_options::overwrite_existing);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(copy)));
}

void BM_ReplaceWithDds_Dxt5_4096(benchmark::State& state) { Replace(state, Dxt5File4096(), SampleDds4096()); }
void BM_ReplaceWithPng_Dxt5_1024(benchmark::State& state) { Replace(state, Dxt5File1024(), SamplePng1024()); }

BENCHMARK(BM_CopyFile_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplaceWithDds_Dxt5_4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplaceWithPng_Dxt5_1024)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
