// Writes the benchmarks' large texture files and prints their paths, one per line, for the
// whole-process comparison script; with --mod, the mod folder's path instead.
#include <iostream>
#include <string_view>

#include "bench/BenchFiles.h"

int main(int argc, char* argv[]) {
    if (argc == 2 && std::string_view(argv[1]) == "--mod") {
        std::cout << pelliton::bench::ModFolder() << '\n';
    } else {
        std::cout << pelliton::bench::Dxt5File4096() << '\n' << pelliton::bench::UncompressedFile2048() << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
