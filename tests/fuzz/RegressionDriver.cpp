// Feeds every file below the folders named on the command line to the fuzz target it is linked
// with: the inputs that once found a fault and the seeds run in make test, without clang.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "support/TempDir.h"

namespace {

std::vector<std::filesystem::path> InputsBelow(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> inputs;
    // A target without any finding yet has no regression folder.
    if (!std::filesystem::is_directory(folder)) return inputs;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& input : InputsBelow(argv[i])) {
            std::cout << input.string() << std::endl;  // printed first: an abort leaves it as the culprit
            pelliton::fuzz::FuzzOneInput(pelliton::testing::ReadFileBytes(input));
            ++count;
        }
    }
    std::cout << count << " inputs ran without a finding\n";
    // No input at all means the folders are wrong, not that the target is sound.
    return count == 0 ? 1 : 0;
}
