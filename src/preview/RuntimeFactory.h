// How the preview gets its runtime, named without the runtime's headers so that a front end may pass
// one on without seeing them.
#pragma once

#include <functional>
#include <memory>

namespace pelliton {

namespace d3d8 {
class DirectX8;
}

// Makes the runtime's root object; tests put a runtime of their own in its place.
using RuntimeFactory = std::function<std::shared_ptr<d3d8::DirectX8>()>;
std::shared_ptr<d3d8::DirectX8> MakeSoftwareRuntime();

}  // namespace pelliton
