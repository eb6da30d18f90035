// A count and its noun in agreement, for messages: "1 MIP level", "2 MIP levels", "0 bytes".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelliton {

inline std::string Counted(std::uint64_t count, std::string_view singular, std::string_view plural) {
    return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}

}  // namespace pelliton
