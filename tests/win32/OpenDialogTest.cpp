// The open dialog's filters, in the form the common dialog reads them.
#include <gtest/gtest.h>

#include <string>

#include "win32/OpenDialog.h"

namespace pelliton::win32 {
namespace {

using namespace std::string_literals;

TEST(OpenDialog, FiltersArePairsOfNulEndedTextsEndedByOneMoreNul) {
    EXPECT_EQ(FilterList(kOpenFilters), L"All Files (*.*)\0*.*\0RSH Files (*.rsh)\0*.rsh\0\0"s);
    EXPECT_EQ(FilterList({}), L"\0"s);
}

TEST(OpenDialog, RshFilesArePreselected) {
    ASSERT_GE(kPreselectedFilter, 1u);
    ASSERT_LE(kPreselectedFilter, std::size(kOpenFilters));
    EXPECT_EQ(kOpenFilters[kPreselectedFilter - 1].label, L"RSH Files (*.rsh)");
}

}  // namespace
}  // namespace pelliton::win32
