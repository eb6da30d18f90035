#include "session/RshSession.h"

#include <exception>
#include <new>

#include "common/FileSource.h"
#include "common/Utf8Path.h"
#include "rsh/RshReader.h"

namespace pelliton {

OpenResult RshSession::Open(const std::string& path) noexcept {
    try {
        sourcePath_ = path;
        fileRead_ = false;
        // Every object of the previous file goes before the new device is made.
        if (!RenewPreview()) return {OpenResult::Outcome::DeviceUnavailable, {}, {}};
        return {OpenResult::Outcome::Completed, {}, Load(path), true};
    } catch (const std::bad_alloc&) {
        return Failure("out of memory while loading ", path);
    } catch (const std::exception& error) {
        return Failure(error.what(), {});
    } catch (...) {
        return Failure("an unexpected failure while loading ", path);
    }
}

// The pane shows no picture, so that nothing drawn earlier passes for the file that failed. The
// reason is put together here, where running out of memory once more cannot escape.
OpenResult RshSession::Failure(std::string_view reason, std::string_view subject) noexcept {
    preview_.ShowBackground();
    try {
        std::string text = std::string(reason) + std::string(subject);
        view_.AddDebugLine("Error: " + text);
        return {OpenResult::Outcome::Failed, std::move(text), {}, fileRead_};
    } catch (...) {
        return {OpenResult::Outcome::Failed, {}, {}, fileRead_};  // not even the reason could be kept
    }
}

// The input stays open until the whole road has run, and is closed on every path. Returns where
// the export was written, or an empty path when the image type has none.
std::filesystem::path RshSession::Load(const std::string& path) {
    const FileSource file(path);
    view_.ClearLog();
    view_.SetStatusText(path);
    ReadRshRecords(file, records_, view_);
    fileRead_ = true;
    const auto written =
        ExtractTexture(records_, sourcePath_, outputFolder_, export_, view_, WriterSparing(sourcePath_, writeExport_));
    if (!written) {
        preview_.ShowBackground();  // an earlier file's picture must not stand under this file's name
        return {};
    }
    lastExport_ = WrittenExport{*written, records_.attributes.width, records_.attributes.height};
    RenderPreview();
    return *written;
}

void RshSession::RenderPreview() noexcept {
    if (!lastExport_) {
        preview_.ShowBackground();
        return;
    }
    const auto unreadable = preview_.RenderPreview(lastExport_->file, lastExport_->width, lastExport_->height);
    if (unreadable) ReportUnpreviewable(PathToUtf8(lastExport_->file.filename()), *unreadable);
}

void RshSession::RenderFromMemory(std::vector<std::uint8_t> image, std::int32_t width, std::int32_t height,
                                  std::string_view name) noexcept {
    const auto unreadable = preview_.RenderPreviewFromMemory(std::move(image), width, height);
    if (unreadable) ReportUnpreviewable(name, *unreadable);
}

bool RshSession::RenewPreview() noexcept {
    preview_.Cleanup();
    previewReady_ = preview_.InitD3D(&previewWindow_);
    return previewReady_;
}

void RshSession::ReportUnpreviewable(std::string_view name, std::string_view reason) noexcept {
    try {
        view_.AddDebugLine("Error: cannot preview " + std::string(name) + ": " + std::string(reason));
    } catch (...) {
        // The pane already shows the background; the line is all that is lost.
    }
}

}  // namespace pelliton
