#include "rsh/Latin1.h"

namespace pelliton {

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string FoldLatin1Case(std::string_view utf8) {
    // Latin-1's capitals from U+00C0 to U+00DE, less the multiplication sign U+00D7, are two bytes
    // in UTF-8, C3 80 to C3 9E; each small letter lies 0x20 above its capital.
    constexpr unsigned char kLatin1Lead = 0xC3;
    constexpr unsigned char kMultiplicationSign = 0x97;
    std::string folded(utf8);
    for (std::size_t at = 0; at < folded.size(); ++at) {
        const auto code = static_cast<unsigned char>(folded[at]);
        if (code >= 'A' && code <= 'Z') {
            folded[at] = static_cast<char>(code + ('a' - 'A'));
        } else if (code == kLatin1Lead && at + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[++at]);
            if (next >= 0x80 && next <= 0x9E && next != kMultiplicationSign) folded[at] = static_cast<char>(next + 0x20);
        }
    }
    return folded;
}

}  // namespace pelliton
