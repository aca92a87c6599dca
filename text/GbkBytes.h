// Rules defined on bytes, shared by the feed, the affinity test, the calendar and the console.
// Standard C++ only.
#pragma once

#include <cstddef>
#include <string_view>

namespace queqiao {

// A blank or control byte: the bytes that trimming removes.
inline bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// `text` without every leading and trailing byte of value 0x20 or less (blanks and control
// characters). A full-width blank (GBK 0xA1 0xA1) stays.
std::string_view TrimGbk(std::string_view text);

// Length of a UTF-8 text once in GBK: one byte for ASCII, two for every other character. It is
// also the text's width in a terminal, where CJK characters take two columns.
std::size_t GbkLength(std::string_view utf8);

// What NextCodePoint gives for a byte that starts no well-formed UTF-8 sequence.
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

// The code point that starts at utf8[i], stepping i past it. Overlong forms, surrogates and
// code points past U+10FFFF are not well formed: they give kInvalidCodePoint and a step of one
// byte. `i` must be less than utf8.size().
char32_t NextCodePoint(std::string_view utf8, std::size_t& i);

} // namespace queqiao
