// The common dialogs' filters, in the form the dialogs read them.
#include <gtest/gtest.h>

#include <string>

#include "win32/FileDialogs.h"

namespace pelliton::win32 {
namespace {

using namespace std::string_literals;

TEST(FileDialogs, FiltersArePairsOfNulEndedTextsEndedByOneMoreNul) {
    EXPECT_EQ(FilterList(ui::kOpenFilters),
              L"All Files (*.*)\0*.*\0RSH Files (*.rsh)\0*.rsh\0WTP Files (*.wtp)\0*.wtp\0\0"s);
    EXPECT_EQ(FilterList(ui::kPictureFilters), L"Pictures (*.png;*.tga;*.dds)\0*.png;*.tga;*.dds\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(FilterList(ui::kSaveAsFilters), L"RSH Files (*.rsh)\0*.rsh\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(FilterList({}), L"\0"s);
}

TEST(FileDialogs, RshFilesArePreselectedForOpening) {
    ASSERT_LT(ui::kPreselectedOpenFilter, std::size(ui::kOpenFilters));
    EXPECT_EQ(ui::kOpenFilters[ui::kPreselectedOpenFilter].label, "RSH Files (*.rsh)");
}

}  // namespace
}  // namespace pelliton::win32
