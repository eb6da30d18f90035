// How one log line reaches the edit control: UTF-16, every line break as "\r\n", one at the end.
#include <gtest/gtest.h>

#include <string>

#include "win32/LogEdit.h"

namespace pelliton::win32 {
namespace {

struct LogLine {
    const char* name;
    std::string utf8;
    std::wstring shown;
};

// The case's name, not a dump of its bytes, in test listings.
void PrintTo(const LogLine& value, std::ostream* out) { *out << value.name; }

class EditControlLines : public testing::TestWithParam<LogLine> {};

TEST_P(EditControlLines, EndInCarriageReturnAndLineFeed) { EXPECT_EQ(EditControlLine(GetParam().utf8), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(
    Lines, EditControlLines,
    testing::Values(LogLine{"Empty", "", L"\r\n"}, LogLine{"Plain", "Extract File", L"Extract File\r\n"},
                    LogLine{"Utf8", "Extracting to: caf\xC3\xA9.DDS", L"Extracting to: caf\u00E9.DDS\r\n"},
                    LogLine{"LineFeedInside", "FO\nD", L"FO\r\nD\r\n"},
                    LogLine{"CarriageReturnInside", "FO\rD", L"FO\r\nD\r\n"},
                    LogLine{"WindowsLineEndInside", "FO\r\nD", L"FO\r\nD\r\n"},
                    LogLine{"TwoLineFeeds", "a\n\nb", L"a\r\n\r\nb\r\n"},
                    // A NUL would end the text the control takes, and every later line with it.
                    LogLine{"Nul", std::string("FO\0D", 4), L"FO\uFFFDD\r\n"}),
    [](const testing::TestParamInfo<LogLine>& info) { return info.param.name; });

}  // namespace
}  // namespace pelliton::win32
