// Records the largest single request to operator new while a watch is on.
#pragma once

#include <cstddef>

namespace pelliton::testing {

class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    std::size_t LargestRequest() const;
};

}  // namespace pelliton::testing
