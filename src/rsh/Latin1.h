// File texts are single-byte characters; the log carries UTF-8. One character per byte, zeros kept.
#pragma once

#include <string>
#include <string_view>

namespace pelliton {

std::string Latin1ToUtf8(std::string_view bytes);

// UTF-8 text of such characters in small letters, capitals of Latin-1 included: how the game's file
// system, which ignores case, compares names. Any other character stays as it is.
std::string FoldLatin1Case(std::string_view utf8);

}  // namespace pelliton
