// Paths travel as UTF-8 text between the parts of the tool; these convert at the file system's edge.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pelliton {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace pelliton
