// The output name: the source's file name less its last four characters, plus the extension.
#include <gtest/gtest.h>

#include "common/PellitonError.h"
#include "export/ExportName.h"

namespace pelliton {
namespace {

struct NameCase {
    const char* source;
    const char* extension;
    const char* expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.source; }
};

class ExportNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ExportNames, DropTheLastFourCharactersOfTheFileName) {
    const NameCase& c = GetParam();
    EXPECT_EQ(ExportFileName(c.source, c.extension), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ExportName, ExportNames,
    ::testing::Values(NameCase{"C:\\tex\\wall.rsh", ".DDS", "wall.DDS"},
                      NameCase{"/home/u/tex/wall.rsh", ".DDS", "wall.DDS"},
                      NameCase{"wall.rsh", ".DDS", "wall.DDS"},
                      NameCase{"wall.rshx", ".DDS", "wall..DDS"},
                      NameCase{"wall", ".DDS", ".DDS"},
                      NameCase{"Wall.RSH", ".DDS", "Wall.DDS"},
                      NameCase{"C:\\tex\\sky.rsh", ".TGA", "sky.TGA"},
                      NameCase{"C:\\a/b\\c/mixed.rsh", ".TGA", "mixed.TGA"},
                      NameCase{"dir.rsh/wall.rsh", ".TGA", "wall.TGA"},
                      // Characters, not bytes: each of these takes two or three bytes in UTF-8.
                      NameCase{"/tex/\xC3\xA9t\xC3\xA9.rsh", ".DDS", "\xC3\xA9t\xC3\xA9.DDS"},
                      NameCase{"/tex/wall.\xC3\xA9\xC3\xA9\xC3\xA9", ".DDS", "wall.DDS"},
                      NameCase{"/tex/\xE5\xA3\x81\xE7\x94\xBB.rsh", ".TGA", "\xE5\xA3\x81\xE7\x94\xBB.TGA"}));

TEST(ExportName, FewerThanFourCharactersAfterTheLastSeparatorIsAnError) {
    for (const char* source : {"abc", "C:\\tex\\abc", "/tex/abc", "/tex/", "", "/tex/\xC3\xA9\xC3\xA9\xC3\xA9"}) {
        EXPECT_THROW(ExportFileName(source, ".DDS"), PellitonError) << source;
    }
}

TEST(ExportName, StemsAreLimitedTo32767Characters) {
    EXPECT_EQ(ExportFileName(std::string(32767, 'a') + ".rsh", ".DDS").size(), 32767u + 4);
    EXPECT_THROW(ExportFileName(std::string(32768, 'a') + ".rsh", ".DDS"), PellitonError);
    // 32767 two-byte characters are 65534 bytes, and still within the limit.
    std::string wide;
    for (int i = 0; i < 32767; ++i) wide += "\xC3\xA9";
    EXPECT_EQ(ExportFileName("/x/" + wide + ".rsh", ".DDS"), wide + ".DDS");
}

}  // namespace
}  // namespace pelliton
