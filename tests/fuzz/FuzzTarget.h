// What a fuzz target is: one plain function that takes any bytes and aborts on a broken promise,
// so that libFuzzer (make fuzz) and the regression driver (make test) run the same checks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace pelliton::fuzz {

// Runs one input through the code under test. Each target file defines it once.
void FuzzOneInput(std::span<const std::uint8_t> input);

// A finding: the sanitizers see only memory and undefined behaviour, so a broken promise of the
// product aborts too, where libFuzzer keeps the input.
inline void Expect(bool holds, std::string_view promise) {
    if (holds) return;
    std::fprintf(stderr, "fuzz finding: %.*s\n", static_cast<int>(promise.size()), promise.data());
    std::abort();
}

}  // namespace pelliton::fuzz
