// The WTP reader on any bytes, then what extract, replace and preview do with a pattern it accepts:
// every picture written, painted, and every layer given back with a missing one added.
#include <vector>

#include "common/PellitonError.h"
#include "export/MemoryOutput.h"
#include "fuzz/FuzzTarget.h"
#include "support/EditedBytes.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton::fuzz {

namespace {

// Only patterns a few kilobytes can hold are painted and edited, as a fuzzer's inputs are.
constexpr std::size_t kLargestTexelCount = 1 << 16;

void ExpectInsideFile(const ByteRange& range, std::size_t fileSize, std::string_view what) {
    Expect(range.offset <= fileSize && range.length <= fileSize - range.offset, what);
}

}  // namespace

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const MemorySource file(input);
    ChunkTree tree;
    std::optional<TeamPattern> pattern;
    try {
        tree = ReadChunkTree(file);
        pattern = FindTeamPattern(tree, file);
    } catch (const PellitonError&) {
        return;  // the one way the readers may refuse a file
    }
    if (!pattern) return;
    Expect(pattern->TexelCount() * 4 <= input.size(), "a pattern's texels are backed by the file");
    ExpectInsideFile(pattern->BaseTexels(file), input.size(), "the base picture lies in the file");
    std::vector<BodyReplacement> bodies;
    std::vector<std::vector<std::uint8_t>> kept;
    kept.reserve(kPatternLayerCount);
    for (const int picture : PicturesOf(*pattern)) {
        for (const PatternFileType type : {PatternFileType::Tga, PatternFileType::Png}) {
            ContentInMemory([&](OutputFile& out) { WritePatternPicture(*pattern, file, picture, type, out); });
        }
        if (picture == kBasePicture) continue;
        ExpectInsideFile(pattern->LayerTexels(file, picture), input.size(), "a layer lies in the file");
        std::vector<std::uint8_t>& body = kept.emplace_back(ReadChunkBody(file, *pattern->layers[picture]));
        bodies.push_back({pattern->layers[picture], ByteRange::InMemory(body)});
    }
    if (pattern->TexelCount() > kLargestTexelCount) return;
    PaintTeamColours(*pattern, file, DefaultTeamColours());
    // Every layer given its own body again leaves the file as it was.
    const EditedFile same = EditChunkTree(tree, file, bodies);
    Expect(testing::EditedBytes(same) == std::vector<std::uint8_t>(input.begin(), input.end()),
           "layers put back as they were change nothing");
}

}  // namespace pelliton::fuzz
