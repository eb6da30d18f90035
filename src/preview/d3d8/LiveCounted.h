// Counts the live objects of each runtime class, so that tests can see what a reference holds.
#pragma once

#include <atomic>

namespace pelliton::d3d8 {

template <typename T>
class LiveCounted {
public:
    static int Live() { return live_; }

protected:
    LiveCounted() { ++live_; }
    LiveCounted(const LiveCounted&) { ++live_; }
    ~LiveCounted() { --live_; }

private:
    static inline std::atomic<int> live_{0};
};

}  // namespace pelliton::d3d8
