// The software device: its state and defaults, the checks on every call, and drawing from memory.
#include <array>
#include <cstddef>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "preview/d3d8/Direct3D8.h"
#include "preview/d3d8/Rasterizer.h"
#include "preview/d3d8/RenderTarget.h"
#include "preview/d3d8/TextureStage.h"
#include "preview/d3d8/VertexFormat.h"
#include "preview/d3d8/VertexProcessing.h"

namespace pelliton::d3d8 {

namespace {

constexpr std::size_t kTextureStages = 8;
constexpr std::size_t kStreams = 16;

// Stage 0 modulates texture and diffuse colour; the later stages start disabled.
std::array<TextureStageSettings, kTextureStages> DefaultStages() {
    std::array<TextureStageSettings, kTextureStages> stages{};
    stages[0].colorOperation = D3DTOP_MODULATE;
    return stages;
}

// The three corners of primitive i. Every other triangle of a strip is taken in reverse order, so
// that all triangles of a strip wind alike for culling.
std::array<std::size_t, 3> CornerIndices(DWORD primitiveType, std::size_t i) {
    if (primitiveType == D3DPT_TRIANGLELIST) return {3 * i, 3 * i + 1, 3 * i + 2};
    if (i % 2 == 1) return {i + 1, i, i + 2};
    return {i, i + 1, i + 2};
}

}  // namespace

struct Direct3DDevice8::State {
    State(int width, int height, bool withDepthBuffer)
        : target(width, height, withDepthBuffer), depthEnabled(withDepthBuffer) {}

    RenderTarget target;
    bool inScene = false;
    bool depthEnabled;
    DWORD cullMode = D3DCULL_CCW;
    DWORD depthFunction = D3DCMP_LESSEQUAL;
    bool lighting = true;
    D3DMATRIX world = IdentityMatrix();
    D3DMATRIX view = IdentityMatrix();
    D3DMATRIX projection = IdentityMatrix();
    std::array<TextureStageSettings, kTextureStages> stages = DefaultStages();
    std::array<std::shared_ptr<Direct3DTexture8>, kTextureStages> textures;
    std::array<std::shared_ptr<Direct3DVertexBuffer8>, kStreams> streams;
    std::optional<VertexLayout> vertexLayout;  // of the vertex shader's format code
};

Direct3DDevice8::Direct3DDevice8(std::shared_ptr<Direct3D8> creator, DeviceWindow* window, int width, int height,
                                 DepthBuffer depthBuffer)
    : creator_(std::move(creator)),
      window_(window),
      width_(width),
      height_(height),
      state_(std::make_unique<State>(width, height, depthBuffer == DepthBuffer::D16)) {}

Direct3DDevice8::~Direct3DDevice8() = default;

HRESULT Direct3DDevice8::SetRenderState(DWORD state, DWORD value) {
    switch (state) {
        case D3DRS_ZENABLE:
            if (value != D3DZB_FALSE && value != D3DZB_TRUE) return D3DERR_INVALIDCALL;
            state_->depthEnabled = value == D3DZB_TRUE;
            return D3D_OK;
        case D3DRS_CULLMODE:
            if (value < D3DCULL_NONE || value > D3DCULL_CCW) return D3DERR_INVALIDCALL;
            state_->cullMode = value;
            return D3D_OK;
        case D3DRS_ZFUNC:
            if (value < D3DCMP_NEVER || value > D3DCMP_ALWAYS) return D3DERR_INVALIDCALL;
            state_->depthFunction = value;
            return D3D_OK;
        case D3DRS_LIGHTING:
            if (value > 1) return D3DERR_INVALIDCALL;
            state_->lighting = value == 1;
            return D3D_OK;
        default:
            return D3D_OK;  // a state this device does not draw with changes nothing
    }
}

HRESULT Direct3DDevice8::SetTransform(DWORD state, const D3DMATRIX& matrix) {
    switch (state) {
        case D3DTS_WORLD:
            state_->world = matrix;
            return D3D_OK;
        case D3DTS_VIEW:
            state_->view = matrix;
            return D3D_OK;
        case D3DTS_PROJECTION:
            state_->projection = matrix;
            return D3D_OK;
        default:
            return D3DERR_INVALIDCALL;
    }
}

HRESULT Direct3DDevice8::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                               DWORD /*stencil: there is no stencil buffer*/) {
    if ((flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER)) != 0) return D3DERR_INVALIDCALL;
    RenderTarget& target = state_->target;
    std::optional<std::uint16_t> depth;
    if (flags & D3DCLEAR_ZBUFFER) {
        if (target.depth.empty() || !(z >= 0 && z <= 1)) return D3DERR_INVALIDCALL;
        depth = QuantiseDepth(z);
    }
    std::optional<D3DCOLOR> colour;
    if (flags & D3DCLEAR_TARGET) colour = color;

    if (count == 0 || rects == nullptr) {
        target.Fill({0, 0, width_, height_}, colour, depth);
    } else {
        for (DWORD i = 0; i < count; ++i) target.Fill(rects[i], colour, depth);
    }
    return D3D_OK;
}

HRESULT Direct3DDevice8::CreateVertexBuffer(UINT length, DWORD /*usage*/, DWORD fvf, DWORD pool,
                                            std::shared_ptr<Direct3DVertexBuffer8>& out) {
    if (length == 0 || pool != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;
    try {
        out = std::make_shared<Direct3DVertexBuffer8>(length, fvf);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}

HRESULT Direct3DDevice8::BeginScene() {
    if (state_->inScene) return D3DERR_INVALIDCALL;
    state_->inScene = true;
    return D3D_OK;
}

HRESULT Direct3DDevice8::EndScene() {
    if (!state_->inScene) return D3DERR_INVALIDCALL;
    state_->inScene = false;
    return D3D_OK;
}

HRESULT Direct3DDevice8::SetTexture(DWORD stage, const std::shared_ptr<Direct3DTexture8>& texture) {
    if (stage >= kTextureStages) return D3DERR_INVALIDCALL;
    state_->textures[stage] = texture;
    return D3D_OK;
}

HRESULT Direct3DDevice8::SetTextureStageState(DWORD stage, DWORD type, DWORD value) {
    if (stage >= kTextureStages) return D3DERR_INVALIDCALL;
    TextureStageSettings& settings = state_->stages[stage];
    switch (type) {
        case D3DTSS_COLOROP:
            if (!IsHonouredOperation(value)) return D3DERR_INVALIDCALL;
            settings.colorOperation = value;
            return D3D_OK;
        case D3DTSS_COLORARG1:
            if (!IsHonouredArgument(value)) return D3DERR_INVALIDCALL;
            settings.colorArgument1 = value;
            return D3D_OK;
        case D3DTSS_COLORARG2:
            if (!IsHonouredArgument(value)) return D3DERR_INVALIDCALL;
            settings.colorArgument2 = value;
            return D3D_OK;
        case D3DTSS_ALPHAOP:
            // Alpha never reaches the picture (no blending, no alpha in the back buffer): only checked.
            return IsHonouredOperation(value) ? D3D_OK : D3DERR_INVALIDCALL;
        default:
            return D3D_OK;
    }
}

HRESULT Direct3DDevice8::SetStreamSource(UINT stream, const std::shared_ptr<Direct3DVertexBuffer8>& buffer,
                                         UINT /*stride: only drawing from streams would read it*/) {
    if (stream >= kStreams) return D3DERR_INVALIDCALL;
    state_->streams[stream] = buffer;
    return D3D_OK;
}

HRESULT Direct3DDevice8::SetVertexShader(DWORD handle) {
    // A vertex format code serves as the shader handle.
    const std::optional<VertexLayout> layout = LayoutOf(handle);
    if (!layout) return D3DERR_INVALIDCALL;
    state_->vertexLayout = layout;
    return D3D_OK;
}

HRESULT Direct3DDevice8::DrawPrimitiveUP(DWORD primitiveType, UINT primitiveCount, const void* vertexData,
                                         UINT stride) {
    State& s = *state_;
    if (primitiveType != D3DPT_TRIANGLELIST && primitiveType != D3DPT_TRIANGLESTRIP) return D3DERR_INVALIDCALL;
    if (!s.inScene || !s.vertexLayout || primitiveCount == 0 || vertexData == nullptr ||
        stride < s.vertexLayout->size) {
        return D3DERR_INVALIDCALL;
    }

    const D3DMATRIX worldViewProjection = Multiply(Multiply(s.world, s.view), s.projection);
    DrawSettings settings;
    settings.cullMode = s.cullMode;
    settings.depthTest = s.depthEnabled;
    settings.depthFunction = s.depthFunction;
    settings.stage = s.stages[0];
    settings.texture = s.textures[0].get();

    const auto* bytes = static_cast<const std::byte*>(vertexData);
    const auto corner = [&](std::size_t index) {
        return ToClipSpace(ReadVertex(bytes + index * stride, *s.vertexLayout), worldViewProjection, s.lighting);
    };
    for (std::size_t i = 0; i < primitiveCount; ++i) {
        const auto [a, b, c] = CornerIndices(primitiveType, i);
        DrawTriangle({corner(a), corner(b), corner(c)}, settings, s.target);
    }
    // As the runtime does, drawing from memory leaves stream 0 unbound.
    s.streams[0].reset();
    return D3D_OK;
}

HRESULT Direct3DDevice8::Present(const D3DRECT* sourceRect, const D3DRECT* destRect, DeviceWindow* overrideWindow,
                                 const void* dirtyRegion) {
    DeviceWindow* shownIn = overrideWindow ? overrideWindow : window_;
    if (sourceRect || destRect || dirtyRegion || state_->inScene || !shownIn) return D3DERR_INVALIDCALL;
    shownIn->ShowFrame(Frame{width_, height_, state_->target.colour});
    return D3D_OK;
}

}  // namespace pelliton::d3d8
