#include "session/TextureView.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <new>

#include "common/PellitonError.h"
#include "export/MemoryOutput.h"
#include "export/TexturePicture.h"
#include "export/TreeTextureExport.h"
#include "preview/PictureFrame.h"

namespace pelliton {

namespace {

// The levels a texture's sides allow, however many its attributes claim.
int LevelsOf(const TextureAttributes& attributes) {
    const auto side = static_cast<std::uint32_t>(std::max({attributes.width, attributes.height, 1}));
    const int halvings = std::bit_width(side);  // 1 x 1 is the last level
    return std::clamp(attributes.mipLevels, 1, halvings);
}

}  // namespace

void TextureView::SetScale(PreviewScale scale) {
    scale_ = scale;
    if (scale == PreviewScale::Perspective) {
        mipLevel_ = 0;
        showAlpha_ = false;
    }
    Redraw();
}

void TextureView::SetShowAlpha(bool show) {
    showAlpha_ = show;
    if (show && scale_ == PreviewScale::Perspective) scale_ = PreviewScale::Fit;
    Redraw();
}

void TextureView::SetMipLevel(int level) {
    const int kept = std::clamp(level, 0, MipLevels() - 1);
    if (kept != mipLevel_) picture_.reset();
    mipLevel_ = kept;
    if (mipLevel_ > 0 && scale_ == PreviewScale::Perspective) scale_ = PreviewScale::Fit;
    panX_ = panY_ = 0;
    Redraw();
}

void TextureView::Pan(int dx, int dy) {
    if (scale_ != PreviewScale::ActualSize || !picture_) return;
    const auto [x, y] = ClampPan(picture_->width, picture_->height, pane_.ClientWidth(), pane_.ClientHeight(),
                                 panX_ - dx, panY_ - dy);
    if (x == panX_ && y == panY_) return;
    panX_ = x;
    panY_ = y;
    DrawComposed();
}

void TextureView::Select(const TextureDocument* document, std::optional<std::size_t> texture, bool fromExport) {
    document_ = document;
    texture_ = document == nullptr ? std::nullopt : texture;
    fromExport_ = fromExport;
    mipLevel_ = 0;
    panX_ = panY_ = 0;
    picture_.reset();
}

int TextureView::MipLevels() const {
    if (document_ == nullptr || !texture_) return 1;
    return LevelsOf(document_->Textures().at(*texture_).attributes);
}

void TextureView::Redraw() {
    if (scale_ == PreviewScale::Perspective) {
        DrawPerspective();
    } else {
        DrawComposed();
    }
}

// The texture's export as the window writes it, drawn from memory; or the export written, read
// again, as the window has always drawn it.
void TextureView::DrawPerspective() {
    if (document_ == nullptr || !texture_ || fromExport_) {
        road_.RenderPreview();
        return;
    }
    const TreeTexture& texture = document_->Textures().at(*texture_);
    try {
        std::vector<std::uint8_t> image;
        ExportTreeTexture(texture, document_->Source(), ".", WriterIntoMemory(image));
        road_.RenderFromMemory(std::move(image), texture.attributes.width, texture.attributes.height, texture.name);
    } catch (const std::bad_alloc&) {
        Failed("out of memory");
    } catch (const std::exception& error) {
        Failed(error.what());
    }
}

void TextureView::DrawComposed() {
    const int paneWidth = pane_.ClientWidth();
    const int paneHeight = pane_.ClientHeight();
    try {
        if (document_ == nullptr || !texture_) {
            ShowEmptyPane();
            return;
        }
        if (!picture_) {
            picture_ = TextureLevelPicture(document_->Textures().at(*texture_), document_->Source(), mipLevel_);
        }
        std::tie(panX_, panY_) = ClampPan(picture_->width, picture_->height, paneWidth, paneHeight, panX_, panY_);
        const FramePlacement placement{paneWidth,  paneHeight, scale_ == PreviewScale::Fit ? FrameScale::Fit : FrameScale::ActualSize,
                                       showAlpha_, panX_,      panY_};
        const ComposedFrame frame = ComposePictureFrame(*picture_, placement);
        pane_.ShowPixels(frame.width, frame.height, frame.pixels);
    } catch (const std::bad_alloc&) {
        Failed("out of memory");
    } catch (const std::exception& error) {
        Failed(error.what());
    }
}

// As with a file the road cannot draw: the reason in the log, and nothing else in the pane.
void TextureView::Failed(const std::string& reason) {
    picture_.reset();
    road_.ReportUnpreviewable(document_ != nullptr && texture_ ? document_->Textures().at(*texture_).name : "", reason);
    try {
        ShowEmptyPane();
    } catch (...) {
        // Out of memory again: the pane keeps what it showed.
    }
}

void TextureView::ShowEmptyPane() {
    const ComposedFrame background = ComposePictureFrame(RgbaPicture{}, {pane_.ClientWidth(), pane_.ClientHeight()});
    pane_.ShowPixels(background.width, background.height, background.pixels);
}

}  // namespace pelliton
