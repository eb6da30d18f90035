// The open road of one file and the state it leaves, shared by the window and the headless front end.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ExtractTexture.h"
#include "SessionView.h"
#include "modRSH.h"

namespace pelliton {

class RshSession {
public:
    explicit RshSession(SessionView& view) : view_(view) {}

    // Everything the open command does once a file is chosen. Returns the reason when an error
    // ended it; the reason has then been logged as an "Error: " line.
    std::optional<std::string> Open(const std::string& path);

    // Exports go into the current directory unless a folder is set here.
    void SetOutputFolder(const std::filesystem::path& folder) { outputFolder_ = folder; }

    const std::string& SourcePath() const { return SourcePath_; }
    const std::string& ExportPath() const { return export_.ExportPath; }
    const modRSH& Records() const { return rsh_; }

private:
    void LoadRSH(const std::string& path);

    SessionView& view_;
    std::string SourcePath_;  // UTF-8, as chosen
    std::filesystem::path outputFolder_;
    ExportState export_;
    modRSH rsh_;
};

}  // namespace pelliton
