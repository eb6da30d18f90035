// How many files the test process holds open, to show that none is left open.
#pragma once

#include <cstddef>

namespace pelliton::testing {

// On Windows every kind of handle counts, so only the difference between two counts means anything.
std::ptrdiff_t OpenFileCount();

}  // namespace pelliton::testing
