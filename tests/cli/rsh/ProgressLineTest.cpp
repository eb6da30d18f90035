// The progress line of a long batch: only on a terminal, only after a quiet second, never mixed
// with what the batch prints.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/shared/ProgressLine.h"

namespace pelliton {
namespace {

using std::chrono::milliseconds;

TEST(ProgressLine, ShowsNothingOnAFileOrBeforeTheQuietTime) {
    std::ostringstream file;
    {
        ProgressLine notTerminal(file, false, milliseconds(0));
        notTerminal.Show("1 of 2 files", ProgressLine::Clock::now() + milliseconds(5000));
    }
    EXPECT_EQ(file.str(), "");
    std::ostringstream terminal;
    ProgressLine quiet(terminal, true, milliseconds(60000));
    quiet.Show("1 of 2 files");
    EXPECT_EQ(terminal.str(), "");
}

TEST(ProgressLine, RewritesInPlaceAtMostTenTimesASecondAndClearsItself) {
    std::ostringstream err;
    {
        ProgressLine line(err, true, milliseconds(0));
        const auto start = ProgressLine::Clock::now() + milliseconds(1);
        line.Show("10 of 200 files", start);
        line.Show("11 of 200 files", start + milliseconds(50));  // too soon: skipped
        line.Show("9 of 20 files", start + milliseconds(150));   // shorter: spaces cover the rest
        line.Clear();
        line.Clear();  // nothing on the line: nothing to do
        err << "a failure\n";
    }
    EXPECT_EQ(err.str(), "\r10 of 200 files\r9 of 20 files  \r             \ra failure\n");
}

}  // namespace
}  // namespace pelliton
