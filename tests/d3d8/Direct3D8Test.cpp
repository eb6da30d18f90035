// Creating devices: what CreateDevice refuses, the back buffer size, ownership.
#include <gtest/gtest.h>

#include "d3d8/DeviceTestSupport.h"

namespace pelliton::d3d8 {
namespace {

using pelliton::testing::RecordingPane;
using testing::PreviewParameters;

struct CreateArguments {
    UINT adapter = D3DADAPTER_DEFAULT;
    DWORD type = D3DDEVTYPE_HAL;
    bool window = true;
    DWORD flags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    D3DPRESENT_PARAMETERS p = PreviewParameters();
};

TEST(Direct3D8, CreateDeviceRefusesWhatItCannotHonour) {
    struct Case {
        const char* name;
        HRESULT expected;
        void (*change)(CreateArguments&);
    };
    const Case cases[] = {
        {"as the preview asks", D3D_OK, [](CreateArguments&) {}},
        {"second adapter", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.adapter = 1; }},
        {"reference device", D3DERR_NOTAVAILABLE, [](CreateArguments& a) { a.type = 2; }},
        {"no focus window", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.window = false; }},
        {"no vertex processing", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.flags = 0; }},
        {"hardware vertex processing too", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.flags |= 0x40; }},
        {"mixed vertex processing", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.flags = 0x80; }},
        {"full screen", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.Windowed = 0; }},
        {"format 0 (failed mode query)", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.BackBufferFormat = 0; }},
        {"A8R8G8B8", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.BackBufferFormat = D3DFMT_A8R8G8B8; }},
        {"two back buffers", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.BackBufferCount = 2; }},
        {"swap effect discard", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.SwapEffect = 1; }},
        {"24-bit depth", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.AutoDepthStencilFormat = 77; }},
        {"no depth buffer", D3DERR_INVALIDCALL, [](CreateArguments& a) { a.p.EnableAutoDepthStencil = 0; }},
    };
    RecordingPane pane(32, 32);
    for (const Case& c : cases) {
        CreateArguments a;
        c.change(a);
        std::shared_ptr<Direct3DDevice8> device;
        EXPECT_EQ(std::make_shared<Direct3D8>()->CreateDevice(a.adapter, a.type, a.window ? &pane : nullptr, a.flags,
                                                              a.p, device),
                  c.expected)
            << c.name;
        EXPECT_EQ(device != nullptr, c.expected == D3D_OK) << c.name;
    }
}

TEST(Direct3D8, BackBufferTakesTheWindowsClientSize) {
    RecordingPane window(557, 300), empty(0, 16), tooWide(kLargestTargetSide + 1, 16);
    D3DPRESENT_PARAMETERS parameters = PreviewParameters();
    D3DDISPLAYMODE mode;  // the preview takes the back buffer format from the desktop
    ASSERT_EQ(Direct3D8().GetAdapterDisplayMode(D3DADAPTER_DEFAULT, mode), D3D_OK);
    parameters.BackBufferFormat = mode.Format;
    const auto device = testing::MakeDevice(window, parameters);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_EQ(window.frames.size(), 1U);
    EXPECT_EQ(window.frames[0].width, 557);
    EXPECT_EQ(window.frames[0].height, 300);

    EXPECT_EQ(testing::MakeDevice(empty), nullptr);
    EXPECT_EQ(testing::MakeDevice(tooWide), nullptr);
}

TEST(Direct3D8, DeviceKeepsItsDirect3D8Alive) {
    const int before = Direct3D8::Live();
    RecordingPane pane;
    auto device = testing::MakeDevice(pane);  // drops its own reference to the Direct3D8 object
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(Direct3D8::Live(), before + 1);
    device.reset();
    EXPECT_EQ(Direct3D8::Live(), before);
}

}  // namespace
}  // namespace pelliton::d3d8
