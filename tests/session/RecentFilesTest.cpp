// The files opened last: newest first, each once, four at most, kept in the store on each change.
#include <gtest/gtest.h>

#include "session/RecentFiles.h"
#include "WindowSessionFixture.h"

namespace pelliton {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, TheNewestComesFirstOnceAndTheOldestGoesAfterFour) {
    testing::MemoryRecentStore store;
    RecentFiles recent(store);
    for (const char* path : {"a", "b", "c", "b", "d", "e"}) recent.Add(path);

    EXPECT_EQ(recent.Paths(), (Paths{"e", "d", "b", "c"}));
    EXPECT_EQ(store.kept, recent.Paths());

    recent.Remove("d");
    recent.Remove("never opened");
    EXPECT_EQ(store.kept, (Paths{"e", "b", "c"}));
}

TEST(RecentFiles, AListKeptElsewhereIsTakenWithoutRepeatsOrBlanks) {
    testing::MemoryRecentStore store;
    store.kept = {"a", "", "a", "b", "c", "d", "e"};
    EXPECT_EQ(RecentFiles(store).Paths(), (Paths{"a", "b", "c", "d"}));
}

}  // namespace
}  // namespace pelliton
