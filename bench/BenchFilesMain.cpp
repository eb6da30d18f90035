// Writes the benchmarks' large texture files and prints their paths, one per line, for the
// whole-process comparison script.
#include <iostream>

#include "bench/BenchFiles.h"

int main() {
    std::cout << pelliton::bench::Dxt5File4096() << '\n' << pelliton::bench::UncompressedFile2048() << '\n';
    return std::cout.flush() ? 0 : 1;
}
