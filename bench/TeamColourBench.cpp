// What a skinner waits for on a 512 x 512 pattern, the largest the game's files hold: the pattern
// painted in new colours (each click of a colour button), and its pictures extracted.
#include <benchmark/benchmark.h>

#include "export/MemoryOutput.h"
#include "rshwrite/PatternWriter.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton::bench {
namespace {

constexpr int kSide = 512;

struct LargePattern {
    LargePattern() {
        PatternSpec made{kSide, kSide, {}, "art/bench.tga", {}, std::array<float, 4>{47, 107, 64, 64}, std::nullopt};
        const std::size_t texels = std::size_t{kSide} * kSide;
        for (int layer = 0; layer < kPatternLayerCount; ++layer) {
            PatternLayerSpec mask{layer, std::vector<std::uint8_t>(texels)};
            for (std::size_t i = 0; i < texels; ++i) mask.texels[i] = static_cast<std::uint8_t>(i * (layer + 3));
            made.layers.push_back(std::move(mask));
        }
        made.base.resize(texels * 4);
        for (std::size_t i = 0; i < made.base.size(); ++i) made.base[i] = static_cast<std::uint8_t>(i * 7);
        bytes = WritePatternFile(made);
        file = MemorySource(bytes);
        tree = ReadChunkTree(file);
        pattern = *FindTeamPattern(tree, file);
    }

    std::vector<std::uint8_t> bytes;
    MemorySource file{bytes};
    ChunkTree tree;
    TeamPattern pattern;
};

const LargePattern& Pattern() {
    static const LargePattern pattern;
    return pattern;
}

void BM_PaintTeamColours512(benchmark::State& state) {
    const LargePattern& large = Pattern();
    const RgbaPicture badge{1, 1, {200, 200, 0, 255}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintTeamColours(large.pattern, large.file, DefaultTeamColours(), {&badge, nullptr}));
    }
}
BENCHMARK(BM_PaintTeamColours512)->Unit(benchmark::kMillisecond);

void BM_PatternPicturesAsPng512(benchmark::State& state) {
    const LargePattern& large = Pattern();
    for (auto _ : state) {
        for (const int picture : PicturesOf(large.pattern)) {
            benchmark::DoNotOptimize(ContentInMemory([&](OutputFile& out) {
                WritePatternPicture(large.pattern, large.file, picture, PatternFileType::Png, out);
            }));
        }
    }
}
BENCHMARK(BM_PatternPicturesAsPng512)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelliton::bench
