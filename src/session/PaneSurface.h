// The preview pane as the session sees it: a client area that shows frames. Plain data only, so that
// a front end need not see the runtime's headers.
#pragma once

#include <cstdint>
#include <span>

namespace pelliton {

class PaneSurface {
public:
    virtual ~PaneSurface() = default;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Shows the pixels (0xXXRRGGBB, rows top to bottom) centred in the client area, black around
    // them, until the next call; they are copied.
    virtual void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) = 0;
};

}  // namespace pelliton
