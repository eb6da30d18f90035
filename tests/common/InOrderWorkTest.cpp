// Work spread over threads is taken in the order of its pieces, whichever finishes first.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "common/InOrderWork.h"

namespace pelliton {
namespace {

TEST(InOrderWork, TakesEveryPieceOnceInOrderHoweverTheyFinish) {
    for (const int threads : {1, 3, 8}) {
        constexpr std::size_t kCount = 12;
        std::vector<std::atomic<int>> worked(kCount);
        std::vector<std::size_t> taken;
        RunInOrder({.count = kCount,
                    .threads = threads,
                    // The early pieces take longest, so that later ones finish first.
                    .work =
                        [&](std::size_t index) {
                            std::this_thread::sleep_for(std::chrono::milliseconds(kCount - index));
                            ++worked[index];
                        },
                    .taken = [&](std::size_t index) { taken.push_back(index); },
                    .waiting = {},
                    .waitingInterval = std::chrono::milliseconds(1)});
        std::vector<std::size_t> expected(kCount);
        for (std::size_t i = 0; i < kCount; ++i) expected[i] = i;
        EXPECT_EQ(taken, expected) << threads << " threads";
        for (const auto& count : worked) EXPECT_EQ(count, 1);
    }
}

TEST(InOrderWork, AFailedPieceIsThrownInItsTurnAndStopsTheRun) {
    std::vector<std::size_t> taken;
    std::atomic<std::size_t> started{0};
    const auto run = [&] {
        RunInOrder({.count = 1000,
                    .threads = 2,
                    .work =
                        [&](std::size_t index) {
                            ++started;
                            if (index == 2) throw std::runtime_error("piece 2");
                            if (index > 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                        },
                    .taken = [&](std::size_t index) { taken.push_back(index); }});
    };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(taken, (std::vector<std::size_t>{0, 1}));
    EXPECT_LT(started, 1000U);
}

TEST(InOrderWork, NoPiecesNeedNoThreads) {
    bool called = false;
    RunInOrder({.count = 0, .threads = 4, .work = [&](std::size_t) { called = true; }, .taken = [&](std::size_t) { called = true; }});
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace pelliton
