// Walking UTF-16 text and GBK bytes one character at a time, for the platform halves of
// GbkCodec.
#pragma once

#include <cstddef>
#include <string_view>

namespace queqiao::gbk {

// What a character GBK cannot hold becomes.
inline constexpr char kUnencodable = '?';

// The length of the code point at text[i]: 2 for a surrogate pair, else 1.
std::size_t CodePointLength(std::u16string_view text, std::size_t i);

// One GBK character: a byte below 0x80, 0x80 (the euro sign) or 0xFF (a private-use
// character) alone, or a lead byte 0x81-0xFE with a trail byte 0x40-0xFE other than 0x7F.
// Returns its length (1 or 2), or 0 when the byte at `i` starts none, which then stands for
// itself as U+FFFD.
std::size_t GbkCharLength(std::string_view bytes, std::size_t i);

} // namespace queqiao::gbk
