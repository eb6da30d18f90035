// Writes the DDS and TGA files the exporter makes of the RSH files in a folder, exactly as the tool
// writes them: the seeds of the texture loader's target. Usage: fuzz-texture-seeds RSHDIR OUTDIR
#include <exception>
#include <filesystem>
#include <iostream>

#include "support/TextureRecords.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "Usage: fuzz-texture-seeds RSHDIR OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path outFolder = argv[2];
        std::filesystem::create_directories(outFolder);
        for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
            if (entry.path().extension() != ".rsh") continue;
            const auto read = pelliton::testing::ReadRecordsFile(entry.path().string());
            pelliton::testing::ExportRecords(read.rsh, outFolder, entry.path().filename().string());
        }
    } catch (const std::exception& error) {
        std::cerr << "fuzz-texture-seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
