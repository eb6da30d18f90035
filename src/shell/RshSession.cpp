#include "RshSession.h"

#include <exception>
#include <new>

#include "PellitonError.h"
#include "RshInputFile.h"
#include "RshLoader.h"

namespace pelliton {

std::optional<std::string> RshSession::Open(const std::string& path) {
    try {
        SourcePath_ = path;
        LoadRSH(path);
        return std::nullopt;
    } catch (const PellitonError& error) {
        view_.AddDebugLine("Error: " + std::string(error.what()));
        return error.what();
    } catch (const std::bad_alloc&) {
        const std::string reason = "out of memory while loading " + path;
        view_.AddDebugLine("Error: " + reason);
        return reason;
    }
}

// The input stays open until the whole road has run, and is closed on every path.
void RshSession::LoadRSH(const std::string& path) {
    RshInputFile file(path);
    view_.ClearLog();
    view_.SetStatusText(path);
    ReadRshRecords(file, rsh_, view_);
    ExtractTexture(rsh_, SourcePath_, outputFolder_, export_, view_);
}

}  // namespace pelliton
