#include "bench/BenchFiles.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include "rsh/RshRecords.h"
#include "rshwrite/RshWriter.h"

namespace pelliton::bench {

namespace {

std::int32_t Dxt5ChainSize(std::int32_t side, std::int32_t& levels) {
    std::int32_t size = 0;
    levels = 0;
    for (std::int32_t s = side;; s /= 2) {
        const std::int32_t blocks = std::max(1, (s + 3) / 4);
        size += blocks * blocks * 16;
        ++levels;
        if (s == 1) return size;
    }
}

std::string WriteBenchFile(const char* name, std::int32_t imageType, std::int32_t side, std::int32_t levels,
                           std::int32_t dataSize) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(dataSize));
    std::mt19937 random(42);
    std::generate(data.begin(), data.end(), [&] { return static_cast<std::uint8_t>(random()); });
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / name).string();
    WriteFileBytes(path, WriteRshBytes(MakeTextureRecords(imageType, side, side, levels, dataSize), data));
    return path;
}

}  // namespace

const std::string& Dxt5File4096() {
    static const std::string path = [] {
        std::int32_t levels = 0;
        const std::int32_t size = Dxt5ChainSize(4096, levels);
        return WriteBenchFile("dxt5-4096.rsh", kImageTypeDxt5, 4096, levels, size);
    }();
    return path;
}

const std::string& UncompressedFile2048() {
    static const std::string path =
        WriteBenchFile("rgba-2048.rsh", kImageTypeUncompressed, 2048, 1, 2048 * 2048 * 4);
    return path;
}

}  // namespace pelliton::bench
