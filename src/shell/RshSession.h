// The open road of one file and the state it leaves, shared by the window and the headless front end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "DeviceWindow.h"
#include "ExtractTexture.h"
#include "PreviewDevice.h"
#include "SessionView.h"
#include "modRSH.h"

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
    std::string failure;  // the reason, when Failed
};

class RshSession {
public:
    RshSession(SessionView& view, d3d8::DeviceWindow& previewWindow, RuntimeFactory makeRuntime = MakeSoftwareRuntime)
        : view_(view), previewWindow_(previewWindow), preview_(std::move(makeRuntime)) {}

    // Everything the open command does once a file is chosen.
    OpenResult Open(const std::string& path);

    // Draws the last exported file again, reading it anew.
    void RenderPreview() noexcept;

    // Exports go into the current directory unless a folder is set here.
    void SetOutputFolder(const std::filesystem::path& folder) { outputFolder_ = folder; }

    const std::string& SourcePath() const { return SourcePath_; }
    const std::string& ExportPath() const { return export_.ExportPath; }
    bool PreviewReady() const { return PreviewReady_; }
    const modRSH& Records() const { return rsh_; }

private:
    void LoadRSH(const std::string& path);

    SessionView& view_;
    d3d8::DeviceWindow& previewWindow_;
    std::string SourcePath_;  // UTF-8, as chosen
    std::filesystem::path outputFolder_;
    ExportState export_;
    PreviewDevice preview_;
    bool PreviewReady_ = false;
    modRSH rsh_;
};

}  // namespace pelliton
