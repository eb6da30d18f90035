// The preview camera: world, view and projection from the texture's size.
#pragma once

#include <cstdint>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3D8.h"

namespace pelliton {

// The camera's distance in multiples of the texture's larger side.
float ZoomFactor(std::int32_t width, std::int32_t height);

struct CameraMatrices {
    d3d8::D3DMATRIX world;
    d3d8::D3DMATRIX view;
    d3d8::D3DMATRIX projection;
};

// Throws PellitonError when the larger side cannot be negated in 32 bits.
CameraMatrices MakeCameraMatrices(std::int32_t width, std::int32_t height);

// Sets world, view and projection on the device in that order. Throws PellitonError when the
// device refuses one; the later ones are then not set.
void SetupMatrices(d3d8::Direct3DDevice8& device, std::int32_t width, std::int32_t height);

}  // namespace pelliton
