// A runtime that offers no device, as on a machine without a usable display adapter.
#pragma once

#include <memory>

#include "preview/d3d8/Direct3D8.h"

namespace pelliton::testing {

class NoDeviceDirect3D8 : public d3d8::Direct3D8 {
public:
    d3d8::HRESULT CreateDevice(d3d8::UINT, d3d8::DWORD, d3d8::DeviceWindow*, d3d8::DWORD, d3d8::D3DPRESENT_PARAMETERS&,
                               std::shared_ptr<d3d8::Direct3DDevice8>&) override {
        return d3d8::D3DERR_NOTAVAILABLE;
    }
};

class NoDeviceRuntime : public d3d8::DirectX8 {
public:
    d3d8::HRESULT Direct3DCreate(std::shared_ptr<d3d8::Direct3D8>& out) override {
        out = std::make_shared<NoDeviceDirect3D8>();
        return d3d8::D3D_OK;
    }
};

inline std::shared_ptr<d3d8::DirectX8> MakeNoDeviceRuntime() { return std::make_shared<NoDeviceRuntime>(); }

}  // namespace pelliton::testing
