// The open road behind the main window, kept apart from <windows.h>: the runtime's headers name
// FAILED and E_OUTOFMEMORY, which the Windows headers define as macros. Only plain data crosses.
#include "win32/OpenRoad.h"

#include "session/RshSession.h"

namespace pelliton::win32 {

namespace {

class PaneWindow final : public d3d8::DeviceWindow {
public:
    explicit PaneWindow(PaneSurface& pane) : pane_(pane) {}

    int ClientWidth() const override { return pane_.ClientWidth(); }
    int ClientHeight() const override { return pane_.ClientHeight(); }
    void ShowFrame(const d3d8::FrameView& frame) override { pane_.ShowPixels(frame.width, frame.height, frame.pixels); }

private:
    PaneSurface& pane_;
};

}  // namespace

struct OpenRoad::Session {
    Session(SessionView& view, PaneSurface& pane) : window(pane), session(view, window) {}

    PaneWindow window;
    RshSession session;
};

std::string_view DeviceUnavailableMessage() { return kDeviceUnavailableMessage; }

OpenRoad::OpenRoad(SessionView& view, PaneSurface& pane) : session_(std::make_unique<Session>(view, pane)) {}

OpenRoad::~OpenRoad() = default;

OpenOutcome OpenRoad::Open(const std::string& path) {
    switch (session_->session.Open(path).outcome) {
        case OpenResult::Outcome::Completed:
            return OpenOutcome::Completed;
        case OpenResult::Outcome::DeviceUnavailable:
            return OpenOutcome::DeviceUnavailable;
        case OpenResult::Outcome::Failed:
            break;
    }
    return OpenOutcome::Failed;
}

void OpenRoad::RenderPreview() { session_->session.RenderPreview(); }

}  // namespace pelliton::win32
