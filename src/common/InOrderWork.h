// Independent pieces of work on every core, their results taken in the order of the pieces: what a
// batch prints reads the same however the threads ran.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

namespace pelliton {

struct InOrderWork {
    std::size_t count = 0;
    int threads = 1;                         // at least 1
    std::function<void(std::size_t)> work{};   // on a worker thread, each index once
    std::function<void(std::size_t)> taken{};  // on the calling thread, in index order, once work(index) is done
    std::function<void()> waiting{};           // on the calling thread, about every waitingInterval while it waits
    std::chrono::milliseconds waitingInterval{100};
};

// Runs the work and returns when every piece is taken. An exception from work(index) is thrown on the
// calling thread when index's turn comes, in place of taken(index). Any exception stops the run: the
// pieces under way finish, no more start, and it reaches the caller.
void RunInOrder(const InOrderWork& run);

// The number of threads the machine runs at once, at least 1.
int CoreCount();

}  // namespace pelliton
