// The open road of one file and the state it leaves, shared by the window and the headless front end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExtractTexture.h"
#include "preview/PreviewDevice.h"
#include "preview/d3d8/DeviceWindow.h"
#include "rsh/RshRecords.h"
#include "session/SessionView.h"

namespace pelliton {

// What the front end shows, and then ends the program, when no preview device can be made.
inline constexpr std::string_view kDeviceUnavailableMessage = "Unable to CreateDevice for texture preview";

struct OpenResult {
    enum class Outcome {
        Completed,          // read, logged, exported and previewed
        Failed,             // an error ended it; the reason is logged as an "Error: " line
        DeviceUnavailable,  // no preview device: the front end ends the program
    };
    Outcome outcome = Outcome::Completed;
    std::string failure;                 // the reason, when Failed
    std::filesystem::path exportedFile;  // where the export was written; empty when nothing was
    bool fileRead = false;               // the file was read whole; only what came after failed
};

class RshSession {
public:
    RshSession(SessionView& view, d3d8::DeviceWindow& previewWindow, RuntimeFactory makeRuntime = MakeSoftwareRuntime)
        : view_(view), previewWindow_(previewWindow), preview_(std::move(makeRuntime)) {}

    // Everything the open command does once a file is chosen. Every failure, whatever its kind,
    // ends in one "Error: " line in the log and a pane of background only.
    OpenResult Open(const std::string& path) noexcept;

    // Draws the file the last export wrote again, reading it anew, at that texture's size. A file
    // that cannot be drawn is named in an "Error: cannot preview" line and leaves the background.
    void RenderPreview() noexcept;

    // Draws an image file's bytes (as the texture's export would hold them, nothing written) on a
    // quad of width x height texels. Bytes that cannot be drawn are named in an "Error: cannot
    // preview" line under name and leave the background.
    void RenderFromMemory(std::vector<std::uint8_t> image, std::int32_t width, std::int32_t height,
                          std::string_view name) noexcept;

    // A new device, of the preview window's size now, takes the old one's place: after the window
    // changed size, or for a file that does not take the open road. False when none can be made;
    // the pane then keeps what it showed.
    bool RenewPreview() noexcept;

    // Says in the log that the picture of name could not be drawn, and why.
    void ReportUnpreviewable(std::string_view name, std::string_view reason) noexcept;

    // Exports go into the current directory unless a folder is set here.
    void SetOutputFolder(const std::filesystem::path& folder) { outputFolder_ = folder; }
    // Exports are written through this writer; a front end may guard it.
    void SetExportWriter(ExportWriter write) { writeExport_ = std::move(write); }

    const std::string& SourcePath() const { return sourcePath_; }
    const std::string& ExportPath() const { return export_.exportPath; }
    bool PreviewReady() const { return previewReady_; }
    const RshRecords& Records() const { return records_; }

private:
    // What the last export wrote, kept where it was written so that a later change of the current
    // folder cannot point the preview at another file.
    struct WrittenExport {
        std::filesystem::path file;  // absolute
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    std::filesystem::path Load(const std::string& path);
    OpenResult Failure(std::string_view reason, std::string_view subject) noexcept;

    SessionView& view_;
    d3d8::DeviceWindow& previewWindow_;
    std::string sourcePath_;  // UTF-8, as chosen
    std::filesystem::path outputFolder_;
    ExportWriter writeExport_ = WriteFileAtomically;
    ExportState export_;
    std::optional<WrittenExport> lastExport_;
    PreviewDevice preview_;
    bool previewReady_ = false;
    bool fileRead_ = false;  // by the open under way
    RshRecords records_;
};

}  // namespace pelliton
