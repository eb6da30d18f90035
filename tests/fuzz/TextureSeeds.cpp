// Writes the DDS and TGA files the exporter makes of the RSH files in a folder, exactly as the tool
// writes them: the seeds of the texture loader's target. Usage: fuzz-texture-seeds RSHDIR OUTDIR
#include <exception>
#include <filesystem>
#include <iostream>

#include "export/ExtractTexture.h"
#include "rsh/RshInputFile.h"
#include "rsh/RshLoader.h"
#include "support/RecordingLog.h"

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
            pelliton::RshInputFile file(entry.path().string());
            pelliton::modRSH rsh;
            pelliton::testing::RecordingView log;
            pelliton::ReadRshRecords(file, rsh, log);
            pelliton::ExportState state;
            pelliton::ExtractTexture(rsh, entry.path().string(), outFolder, state, log);
        }
    } catch (const std::exception& error) {
        std::cerr << "fuzz-texture-seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
