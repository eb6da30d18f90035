// The open road behind the main window, kept apart from <windows.h>: the runtime's headers name
// FAILED and E_OUTOFMEMORY, which the Windows headers define as macros. Only plain data crosses.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "session/SessionView.h"

namespace pelliton::win32 {

// The preview pane as the device sees it.
class PaneSurface {
public:
    virtual ~PaneSurface() = default;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Shows the pixels (0xXXRRGGBB, rows top to bottom) until the next call; they are copied.
    virtual void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) = 0;
};

enum class OpenOutcome {
    Completed,          // read, logged, exported and previewed
    Failed,             // the reason is in the log
    DeviceUnavailable,  // no preview device: the program ends after DeviceUnavailableMessage()
};

std::string_view DeviceUnavailableMessage();

class OpenRoad {
public:
    OpenRoad(SessionView& view, PaneSurface& pane);
    ~OpenRoad();
    OpenRoad(const OpenRoad&) = delete;
    OpenRoad& operator=(const OpenRoad&) = delete;

    // Everything the open command does once a file is chosen; the path is UTF-8.
    OpenOutcome Open(const std::string& path);
    // Draws the last exported file again.
    void RenderPreview();

private:
    struct Session;
    std::unique_ptr<Session> session_;
};

}  // namespace pelliton::win32
