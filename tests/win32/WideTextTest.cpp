// UTF-8 inside, UTF-16 at the Windows API: every character survives the way there and back.
#include <gtest/gtest.h>

#include <string>

#include "win32/WideText.h"

namespace pelliton::win32 {
namespace {

struct SameText {
    const char* name;
    std::string utf8;
    std::wstring wide;
};

// The case's name, not a dump of its bytes, in test listings.
void PrintTo(const SameText& value, std::ostream* out) { *out << value.name; }

class WideTextRoundTrip : public testing::TestWithParam<SameText> {};

TEST_P(WideTextRoundTrip, ConvertsBothWays) {
    EXPECT_EQ(Utf8ToWide(GetParam().utf8), GetParam().wide);
    EXPECT_EQ(WideToUtf8(GetParam().wide), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideTextRoundTrip,
    testing::Values(SameText{"Empty", "", L""}, SameText{"Ascii", "C:\\mods\\wall.rsh", L"C:\\mods\\wall.rsh"},
                    SameText{"Latin1", "caf\xC3\xA9", L"caf\u00E9"},
                    SameText{"Cjk", "\xE5\xA3\x81.rsh", L"\u58C1.rsh"},
                    // Outside the Basic Multilingual Plane: one character, two UTF-16 units.
                    SameText{"SurrogatePair", "\xF0\x9F\x98\x80", std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}},
                    SameText{"EmbeddedNul", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
    [](const testing::TestParamInfo<SameText>& info) { return info.param.name; });

TEST(WideText, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");  // cut inside a character
}

TEST(WideText, AnUnpairedSurrogateBecomesAReplacementCharacter) {
    EXPECT_EQ(WideToUtf8(std::wstring{L'a', wchar_t(0xD800), L'b'}), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace pelliton::win32
