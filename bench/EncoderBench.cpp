// Our DXT encoder against libsquish's iterative cluster fit and cluster fit, one 1024 x 1024 level
// of generated pictures, with the PSNR of red, green and blue as a counter.
#include <benchmark/benchmark.h>

#include <squish.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "common/DdsFormat.h"
#include "picture/DxtEncoder.h"

namespace pelliton::bench {
namespace {

constexpr int kSide = 1024;

// Smooth: gradients with a little noise. Noise: every channel at random.
RgbaPicture Picture(bool noise) {
    std::mt19937 random(11);
    RgbaPicture picture{kSide, kSide, {}};
    picture.rgba.reserve(kSide * kSide * 4);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const auto grain = static_cast<int>(random() % 16);
            if (noise) {
                picture.rgba.insert(picture.rgba.end(), {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                                                         static_cast<std::uint8_t>(random()), 255});
            } else {
                picture.rgba.insert(picture.rgba.end(), {static_cast<std::uint8_t>(x / 4 + grain), static_cast<std::uint8_t>(y / 4),
                                                         static_cast<std::uint8_t>((x + y) / 8 + grain), 255});
            }
        }
    }
    return picture;
}

double PsnrRgb(const RgbaPicture& picture, const std::vector<std::uint8_t>& blocks) {
    std::vector<std::uint8_t> decoded(picture.rgba.size());
    squish::DecompressImage(decoded.data(), kSide, kSide, blocks.data(), squish::kDxt5);
    double squares = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (i % 4 == 3) continue;
        const double difference = decoded[i] - picture.rgba[i];
        squares += difference * difference;
    }
    return 10 * std::log10(255.0 * 255.0 / (squares / (3.0 * kSide * kSide)));
}

// state.range(0): 0 ours, 1 libsquish's iterative cluster fit, 2 its cluster fit; range(1): noise.
void BM_EncodeDxt5_1024(benchmark::State& state) {
    const RgbaPicture picture = Picture(state.range(1) != 0);
    std::vector<std::uint8_t> blocks(dds::LevelBytes(dds::kDxt5, kSide, kSide));
    const int fit = state.range(0) == 1 ? squish::kColourIterativeClusterFit : squish::kColourClusterFit;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            blocks = EncodeDxt(picture, dds::kDxt5);
        } else {
            squish::CompressImage(picture.rgba.data(), kSide, kSide, blocks.data(), squish::kDxt5 | fit);
        }
    }
    state.counters["PSNR_dB"] = PsnrRgb(picture, blocks);
}

BENCHMARK(BM_EncodeDxt5_1024)
    ->ArgNames({"squish", "noise"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace pelliton::bench
