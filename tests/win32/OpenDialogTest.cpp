// The open dialog's filters, in the form the common dialog reads them.
#include <gtest/gtest.h>

#include <string>

#include "win32/OpenDialog.h"

namespace pelliton::win32 {
namespace {

using namespace std::string_literals;

TEST(OpenDialog, FiltersArePairsOfNulEndedTextsEndedByOneMoreNul) {
    EXPECT_EQ(FilterList(ui::kOpenFilters), L"All Files (*.*)\0*.*\0RSH Files (*.rsh)\0*.rsh\0\0"s);
    EXPECT_EQ(FilterList({}), L"\0"s);
}

TEST(OpenDialog, RshFilesArePreselected) {
    ASSERT_LT(ui::kPreselectedOpenFilter, std::size(ui::kOpenFilters));
    EXPECT_EQ(ui::kOpenFilters[ui::kPreselectedOpenFilter].label, "RSH Files (*.rsh)");
}

}  // namespace
}  // namespace pelliton::win32
