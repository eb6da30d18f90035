#include "common/InOrderWork.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace pelliton {

namespace {

// What the workers and the calling thread share.
class Pieces {
public:
    explicit Pieces(std::size_t count) : done_(count, false), failures_(count) {}

    // The next index to work on, or count when none is left or the run stops.
    std::size_t Next() { return stopped_ ? done_.size() : next_.fetch_add(1); }

    void Finish(std::size_t index, std::exception_ptr failure) {
        {
            const std::lock_guard lock(mutex_);
            done_[index] = true;
            failures_[index] = std::move(failure);
        }
        changed_.notify_one();
    }

    // Waits up to interval for piece index; returns whether it is done, and its failure.
    bool WaitFor(std::size_t index, std::chrono::milliseconds interval, std::exception_ptr& failure) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, interval, [&] { return done_[index]; })) return false;
        failure = failures_[index];
        return true;
    }

    void Stop() { stopped_ = true; }

private:
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> done_;
    std::vector<std::exception_ptr> failures_;
};

}  // namespace

void RunInOrder(const InOrderWork& run) {
    Pieces pieces(run.count);
    const auto worker = [&run, &pieces] {
        for (std::size_t index = pieces.Next(); index < run.count; index = pieces.Next()) {
            std::exception_ptr failure;
            try {
                run.work(index);
            } catch (...) {
                failure = std::current_exception();
            }
            pieces.Finish(index, std::move(failure));
        }
    };
    std::vector<std::jthread> workers;
    const std::size_t threadCount = std::min(static_cast<std::size_t>(std::max(1, run.threads)), run.count);
    for (std::size_t t = 0; t < threadCount; ++t) workers.emplace_back(worker);
    try {
        for (std::size_t index = 0; index < run.count; ++index) {
            std::exception_ptr failure;
            while (!pieces.WaitFor(index, run.waitingInterval, failure)) {
                if (run.waiting) run.waiting();
            }
            if (failure) std::rethrow_exception(failure);
            run.taken(index);
        }
    } catch (...) {
        pieces.Stop();
        throw;  // the workers join as they go out of scope
    }
}

int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

}  // namespace pelliton
