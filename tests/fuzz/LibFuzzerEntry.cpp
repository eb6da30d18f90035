// libFuzzer's entry point for the fuzz build (make fuzz); the target is linked beside it.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelliton::fuzz::FuzzOneInput({data, size});
    return 0;
}
