// The runtime's texture loader on any bytes taken as a DDS or TGA file, then one frame drawn from
// that file as the preview draws an export.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "preview/PreviewDevice.h"
#include "preview/d3d8/TextureFile.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"

namespace pelliton::fuzz {

namespace {

// At most 65 places along a side, the last one included: enough to reach every block of a small
// texture and the far edge of a large one, without decoding megapixels per input.
std::vector<int> SamplePlaces(int size) {
    std::vector<int> places;
    for (int at = 0; at < size; at += std::max(1, size / 64)) places.push_back(at);
    places.push_back(size - 1);
    return places;
}

void SampleTexels(const d3d8::Direct3DTexture8& texture) {
    volatile std::uint32_t sink = 0;  // keeps the decoding from being optimised away
    for (const int y : SamplePlaces(texture.Height())) {
        for (const int x : SamplePlaces(texture.Width())) sink = sink ^ texture.TexelColour(x, y);
    }
}

}  // namespace

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const testing::TempDir folder;
    const std::string path = folder.Write("input", {input.begin(), input.end()});

    std::shared_ptr<d3d8::Direct3DTexture8> texture;
    std::string reason;
    const d3d8::HRESULT loaded = d3d8::LoadTextureFile(path, texture, &reason);
    Expect(loaded == d3d8::D3D_OK || loaded == d3d8::D3DXERR_INVALIDDATA || loaded == d3d8::E_OUTOFMEMORY,
           "a readable file loads or is refused for its content");
    Expect((loaded == d3d8::D3D_OK) == (texture != nullptr), "a texture comes exactly with success");
    Expect(loaded == d3d8::D3D_OK || !reason.empty(), "a refusal says why");
    if (texture) {
        Expect(texture->Width() > 0 && texture->Height() > 0, "a loaded texture has texels");
        SampleTexels(*texture);
    }

    testing::RecordingPane pane;
    PreviewDevice preview;
    Expect(preview.InitD3D(&pane), "the software runtime always makes a device");
    const int width = texture ? texture->Width() : 64;
    const int height = texture ? texture->Height() : 64;
    const auto unreadable = preview.RenderPreview(path, width, height);
    Expect(unreadable.has_value() == (texture == nullptr), "the preview draws exactly what the loader loads");
    Expect(pane.frames.size() == 1, "one frame is presented, picture or background");
}

}  // namespace pelliton::fuzz
