#include "session/TextureView.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <new>

#include "common/PellitonError.h"
#include "common/TgaFormat.h"
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

// A 32-bit TGA file of the picture, rows from the top as the picture holds them.
std::vector<std::uint8_t> TgaFileOf(const RgbaPicture& picture) {
    constexpr std::uint8_t kEightAlphaBits = 8;  // descriptor bits 0-3: alpha bits a pixel
    tga::FileHeader header;
    header.ImageType = tga::kTrueColour;
    header.ImageWidth = static_cast<std::int16_t>(picture.width);  // pattern sides stay within 16 bits
    header.ImageHeight = static_cast<std::int16_t>(picture.height);
    header.PixelDepth = tga::kDepthRgba;
    header.ImageDescriptor = kEightAlphaBits | tga::kTopToBottom;
    std::vector<std::uint8_t> file(sizeof(header) + picture.rgba.size());
    std::memcpy(file.data(), &header, sizeof(header));
    std::uint8_t* texel = file.data() + sizeof(header);
    for (std::size_t at = 0; at + 4 <= picture.rgba.size(); at += 4, texel += 4) {
        texel[0] = picture.rgba[at + 2];  // blue, green, red, alpha
        texel[1] = picture.rgba[at + 1];
        texel[2] = picture.rgba[at];
        texel[3] = picture.rgba[at + 3];
    }
    return file;
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
    const RgbaPicture* shown = made_ != nullptr ? made_ : picture_ ? &*picture_ : nullptr;
    if (scale_ != PreviewScale::ActualSize || shown == nullptr) return;
    const auto [x, y] = ClampPan(shown->width, shown->height, pane_.ClientWidth(), pane_.ClientHeight(),
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
    made_ = nullptr;
    madeName_.clear();
}

void TextureView::SelectPicture(const RgbaPicture& picture, std::string name) {
    Select(nullptr, std::nullopt, false);
    made_ = &picture;
    madeName_ = std::move(name);
}

void TextureView::ShowNothing() {
    Select(nullptr, std::nullopt, false);
    ShowEmptyPane();
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
    if (made_ != nullptr) {
        try {
            road_.RenderFromMemory(TgaFileOf(*made_), made_->width, made_->height, madeName_);
        } catch (const std::bad_alloc&) {
            Failed("out of memory");
        }
        return;
    }
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
        if (made_ == nullptr && (document_ == nullptr || !texture_)) {
            ShowEmptyPane();
            return;
        }
        const RgbaPicture& picture = Picture();
        std::tie(panX_, panY_) = ClampPan(picture.width, picture.height, paneWidth, paneHeight, panX_, panY_);
        const FramePlacement placement{paneWidth,  paneHeight, scale_ == PreviewScale::Fit ? FrameScale::Fit : FrameScale::ActualSize,
                                       showAlpha_, panX_,      panY_};
        const ComposedFrame frame = ComposePictureFrame(picture, placement);
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
    road_.ReportUnpreviewable(ShownName(), reason);
    try {
        ShowEmptyPane();
    } catch (...) {
        // Out of memory again: the pane keeps what it showed.
    }
}

const RgbaPicture& TextureView::Picture() {
    if (made_ != nullptr) return *made_;
    if (!picture_) picture_ = TextureLevelPicture(document_->Textures().at(*texture_), document_->Source(), mipLevel_);
    return *picture_;
}

std::string TextureView::ShownName() const {
    if (made_ != nullptr) return madeName_;
    return document_ != nullptr && texture_ ? document_->Textures().at(*texture_).name : "";
}

void TextureView::ShowEmptyPane() {
    const ComposedFrame background = ComposePictureFrame(RgbaPicture{}, {pane_.ClientWidth(), pane_.ClientHeight()});
    pane_.ShowPixels(background.width, background.height, background.pixels);
}

}  // namespace pelliton
