// Whether a file holds what a writer would write, found without writing: the same bytes in any
// pieces, and every way content can differ, ranges of another file included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FileSource.h"
#include "export/ContentComparison.h"
#include "support/PatternBytes.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::PatternBytes;
using testing::TempDir;

struct ComparisonCase {
    const char* what;
    std::vector<std::uint8_t> written;  // given in three pieces: bytes, a range of a file, bytes
    bool same;
};

TEST(ContentComparison, HoldsContentOnlyWhenEveryByteAndTheLengthAgree) {
    const TempDir dir;
    // Longer than a slice of the comparison, so that a difference deep inside is found too.
    const std::vector<std::uint8_t> content = PatternBytes((3 << 20) + 17, 5);
    const std::string path = dir.Write("a.DDS", content);
    const auto changed = [&content](std::size_t at) {
        auto bytes = content;
        bytes[at] ^= 1;
        return bytes;
    };
    const ComparisonCase cases[] = {
        {"the same", content, true},
        {"first byte", changed(0), false},
        {"deep in the range", changed(content.size() / 2 + (1 << 20)), false},
        {"last byte", changed(content.size() - 1), false},
        {"one byte short", std::vector<std::uint8_t>(content.begin(), content.end() - 1), false},
        {"one byte more", [&] { auto b = content; b.push_back(0); return b; }(), false},
        {"nothing", {}, false},
    };
    for (const ComparisonCase& c : cases) {
        const std::string source = dir.Write("source.bin", c.written);
        const FileSource sourceFile(source);
        const std::size_t head = std::min<std::size_t>(c.written.size(), 100);
        const std::size_t tail = std::min<std::size_t>(c.written.size() - head, 7);
        const bool same = FileHoldsContent(path, [&](OutputFile& out) {
            out.Write(std::as_bytes(std::span(c.written).first(head)));
            out.Write(ByteRange::Of(sourceFile, head, c.written.size() - head - tail));
            out.Write(std::as_bytes(std::span(c.written).last(tail)));
        });
        EXPECT_EQ(same, c.same) << c.what;
    }
}

}  // namespace
}  // namespace pelliton
