// How many files the test process holds open, to show that none is left open.
#pragma once

#include <cstddef>

namespace pelliton::testing {

std::ptrdiff_t OpenFileCount();

}  // namespace pelliton::testing
