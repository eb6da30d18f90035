// How far the decoding of a picture has come, row by row from the top, for work that follows it:
// the encoder starts on the first rows while the last are still being read.
#pragma once

#include <condition_variable>
#include <mutex>

namespace pelliton {

class RowsReady {
public:
    // The first rows rows are done; counts only grow.
    void Publish(int rows) {
        {
            const std::lock_guard lock(mutex_);
            if (rows <= done_) return;
            done_ = rows;
        }
        changed_.notify_all();
    }

    // The decoding failed: no more rows will come.
    void Abandon() {
        {
            const std::lock_guard lock(mutex_);
            abandoned_ = true;
        }
        changed_.notify_all();
    }

    // Waits until the first rows rows are done; false when the decoding was abandoned first.
    bool WaitFor(int rows) const {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= rows || abandoned_; });
        return done_ >= rows;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    int done_ = 0;
    bool abandoned_ = false;
};

}  // namespace pelliton
