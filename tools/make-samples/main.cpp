// Writes the sample RSH and WTP files into the folder named on the command line (`make samples` uses it).
#include <exception>
#include <filesystem>
#include <iostream>
#include <vector>

#include "make-samples/GameShapedSample.h"
#include "make-samples/PatternSample.h"
#include "make-samples/SampleFiles.h"
#include "rshwrite/RshWriter.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: make-samples OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        std::vector<pelliton::SampleFile> samples = pelliton::MakeSampleFiles();
        samples.push_back(pelliton::MakeGameShapedSample());
        samples.push_back(pelliton::MakePatternSample());
        samples.push_back(pelliton::MakeBadgeSample());
        for (const pelliton::SampleFile& sample : samples) {
            pelliton::WriteFileBytes((folder / sample.name).string(), sample.bytes);
        }
    } catch (const std::exception& error) {
        std::cerr << "make-samples: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
