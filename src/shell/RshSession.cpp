#include "RshSession.h"

#include <exception>
#include <new>

#include "PellitonError.h"
#include "Utf8Path.h"
#include "RshInputFile.h"
#include "RshLoader.h"

namespace pelliton {

namespace {

OpenResult Failure(SessionView& view, const std::string& reason) {
    view.AddDebugLine("Error: " + reason);
    return {OpenResult::Outcome::Failed, reason};
}

}  // namespace

OpenResult RshSession::Open(const std::string& path) {
    SourcePath_ = path;
    // Every object of the previous file goes before the new device is made.
    preview_.Cleanup();
    PreviewReady_ = preview_.InitD3D(&previewWindow_);
    if (!PreviewReady_) return {OpenResult::Outcome::DeviceUnavailable, {}};
    try {
        LoadRSH(path);
        return {};
    } catch (const PellitonError& error) {
        return Failure(view_, error.what());
    } catch (const std::bad_alloc&) {
        return Failure(view_, "out of memory while loading " + path);
    }
}

// The input stays open until the whole road has run, and is closed on every path.
void RshSession::LoadRSH(const std::string& path) {
    RshInputFile file(path);
    view_.ClearLog();
    view_.SetStatusText(path);
    ReadRshRecords(file, rsh_, view_);
    ExtractTexture(rsh_, SourcePath_, outputFolder_, export_, view_);
    RenderPreview();
}

void RshSession::RenderPreview() noexcept {
    preview_.RenderPreview(outputFolder_ / PathFromUtf8(export_.ExportPath), rsh_.AttrChunk.Width,
                           rsh_.AttrChunk.Height);
}

}  // namespace pelliton
