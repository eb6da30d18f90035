// How the selected texture, or a picture the session made, is shown: through the device on a quad,
// or composed from one of its MIP levels to fit the pane or at one texel a pixel, with or without its
// alpha.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "picture/RgbaPicture.h"
#include "roundtrip/TextureDocument.h"
#include "session/PaneSurface.h"
#include "session/RshSession.h"
#include "session/WindowSession.h"

namespace pelliton {

class TextureView {
public:
    TextureView(RshSession& road, PaneSurface& pane) : road_(road), pane_(pane) {}

    PreviewScale Scale() const { return scale_; }
    bool ShowsAlpha() const { return showAlpha_; }
    int MipLevel() const { return mipLevel_; }

    // What the view shows from now on; each change draws it again. A MIP level other than 0, or the
    // alpha, are not drawn in perspective: asking for them leaves it for fitting the pane.
    void SetScale(PreviewScale scale);
    void SetShowAlpha(bool show);
    void SetMipLevel(int level);  // kept within the texture's levels
    void Pan(int dx, int dy);

    // texture of document is the one shown from now on (none: the road's last export, if any);
    // fromExport when the road's export of the file holds exactly this texture, so that drawing it
    // reads that file as it always has. The MIP level and pan start anew. Nothing is drawn yet.
    void Select(const TextureDocument* document, std::optional<std::size_t> texture, bool fromExport);
    // picture (one level, kept by the caller while it is shown) is the one shown from now on; name
    // names it in the log. Its perspective view is drawn from a TGA file made in memory.
    void SelectPicture(const RgbaPicture& picture, std::string name);
    // Nothing is shown from now on, and the pane shows its background.
    void ShowNothing();
    // The same texture again, read anew (its content may have changed).
    void Redraw();
    // The levels the shown texture has that a view can show; 1 when none is shown.
    int MipLevels() const;

private:
    void DrawPerspective();
    void DrawComposed();
    void Failed(const std::string& reason);
    void ShowEmptyPane();
    // The picture shown: the one made, or the texture's level, decoded once. Throws what decoding throws.
    const RgbaPicture& Picture();
    std::string ShownName() const;

    RshSession& road_;
    PaneSurface& pane_;
    PreviewScale scale_ = PreviewScale::Perspective;
    bool showAlpha_ = false;
    int mipLevel_ = 0;
    int panX_ = 0;
    int panY_ = 0;
    const TextureDocument* document_ = nullptr;
    std::optional<std::size_t> texture_;
    bool fromExport_ = false;
    std::optional<RgbaPicture> picture_;  // the texture's level shown, decoded once for every pan
    const RgbaPicture* made_ = nullptr;   // shown instead of a texture
    std::string madeName_;
};

}  // namespace pelliton
