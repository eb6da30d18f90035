#include "bench/BenchFiles.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include "rsh/RshRecords.h"
#include "rshwrite/ChunkTreeWriter.h"
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

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::mt19937& random) {
    std::vector<std::uint8_t> bytes(count);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
    return bytes;
}

std::filesystem::path BenchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "pelliton-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

std::string WriteBenchFile(const char* name, std::int32_t imageType, std::int32_t side, std::int32_t levels,
                           std::int32_t dataSize) {
    std::mt19937 random(42);
    const std::vector<std::uint8_t> data = RandomBytes(static_cast<std::size_t>(dataSize), random);
    const std::string path = (BenchFolder() / name).string();
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

const std::string& ModFolder() {
    static const std::string path = [] {
        const std::filesystem::path root = BenchFolder() / "mod";
        std::filesystem::remove_all(root);
        std::mt19937 random(7);
        std::int32_t levels512 = 0, levels256 = 0;
        const std::int32_t dxt5Bytes = Dxt5ChainSize(512, levels512);
        const std::int32_t dxt1Bytes = Dxt5ChainSize(256, levels256) / 2;
        for (int race = 0; race < 12; ++race) {
            const std::string folder = "races/race" + std::to_string(race) + "/texture_share";
            std::filesystem::create_directories(root / folder);
            for (int unit = 0; unit < 20; ++unit) {
                const std::string name = folder + "/unit" + std::to_string(unit);
                std::vector<ChunkSpec> textures = {
                    GameTextureFolder(name, kImageTypeDxt5, 512, 512, levels512, RandomBytes(dxt5Bytes, random)),
                    GameTextureFolder(name + "_spec", kImageTypeDxt1, 256, 256, levels256, RandomBytes(dxt1Bytes, random)),
                    GameTextureFolder(folder + "/_reflection", kImageTypeDxt3Game, 64, 64, 1, RandomBytes(64 * 64, random))};
                WriteFileBytes((root / (name + ".rsh")).string(), GameTextureFile(name, std::move(textures)));
            }
        }
        return root.string();
    }();
    return path;
}

}  // namespace pelliton::bench
