// Text is UTF-8 inside the tool and UTF-16 in the Windows API; it converts at that edge.
#pragma once

#include <string>
#include <string_view>

namespace pelliton::win32 {

// Bytes that are not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace pelliton::win32
