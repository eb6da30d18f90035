// The whole open road on any bytes: an .rsh file in a fresh folder is opened, exported beside
// itself, drawn, and drawn again from the written file, after a first open on a full disk. Nothing
// else may be left in the folder.
#include <filesystem>
#include <functional>
#include <string>

#include "common/PellitonError.h"
#include "export/AtomicFile.h"
#include "fuzz/FuzzTarget.h"
#include "session/RshSession.h"
#include "support/RecordingLog.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"

namespace pelliton::fuzz {

namespace {

// A temporary file of the atomic writer left behind, or any other stray file, is a finding.
void ExpectOnly(const std::filesystem::path& folder, const std::filesystem::path& source,
                const std::filesystem::path& exported) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path() == source || (!exported.empty() && std::filesystem::equivalent(entry.path(), exported))) {
            continue;
        }
        std::fprintf(stderr, "left behind: %s\n", entry.path().string().c_str());
        Expect(false, "an open leaves only its source and its export in the folder");
    }
}

}  // namespace

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const testing::TempDir folder;
    const std::filesystem::path source = folder.Write("input.rsh", {input.begin(), input.end()});
    testing::RecordingView view;
    testing::RecordingPane pane;
    RshSession session(view, pane);
    session.SetOutputFolder(folder.path());

    // First a disk that fills up as the export ends: the open fails and leaves nothing behind.
    session.SetExportWriter([](const std::filesystem::path& target, const std::function<void(OutputFile&)>& content) {
        WriteFileAtomically(target, [&](OutputFile& out) {
            content(out);
            throw PellitonError("the disk is full");
        });
    });
    const OpenResult full = session.Open(source.string());
    Expect(full.exportedFile.empty(), "an export that could not be written is not named");
    ExpectOnly(folder.path(), source, {});

    session.SetExportWriter(WriteFileAtomically);
    const OpenResult opened = session.Open(source.string());
    Expect(opened.outcome != OpenResult::Outcome::DeviceUnavailable, "the software runtime always makes a device");
    if (opened.outcome == OpenResult::Outcome::Failed) {
        Expect(!opened.failure.empty() && !view.lines.empty() && view.lines.back() == "Error: " + opened.failure,
               "a failed open ends its log with its reason");
        Expect(opened.exportedFile.empty(), "a failed open names no export");
    }
    if (!opened.exportedFile.empty()) {
        Expect(std::filesystem::equivalent(opened.exportedFile.parent_path(), folder.path()),
               "the export goes into the output folder");
        session.RenderPreview();  // what Refresh does: the written file read anew
    }
    Expect(!pane.frames.empty(), "every open presents a frame");
    for (const auto& frame : pane.frames) {
        Expect(frame.width == pane.ClientWidth() && frame.height == pane.ClientHeight() &&
                   frame.pixels.size() == static_cast<std::size_t>(frame.width) * frame.height,
               "frames fill the pane");
    }
    ExpectOnly(folder.path(), source, opened.exportedFile);
}

}  // namespace pelliton::fuzz
