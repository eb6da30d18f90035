// File texts are single-byte characters; the log carries UTF-8. One character per byte, zeros kept.
#pragma once

#include <string>
#include <string_view>

namespace pelliton {

std::string Latin1ToUtf8(std::string_view bytes);

}  // namespace pelliton
