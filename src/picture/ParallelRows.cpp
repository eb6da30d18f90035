// Rows of a picture shared among std::threads, a few rows at a time from a common counter.
#include "picture/ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace pelliton {

void ForRowRanges(int rows, int threads, const std::function<void(int, int)>& work) {
    // Small enough pieces that a thread finishing early finds more, large enough to be worth fetching.
    const int piece = std::max(1, rows / (8 * std::max(1, threads)));
    const int pieces = (rows + piece - 1) / piece;
    std::atomic<int> next{0};
    const auto run = [&] {
        for (int at = next++; at < pieces; at = next++) work(at * piece, std::min(rows, (at + 1) * piece));
    };
    std::vector<std::thread> helpers;
    for (int helper = 1; helper < std::min(threads, pieces); ++helper) helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace pelliton
