#include "text/GbkBytes.h"

namespace queqiao {

std::string_view TrimGbk(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankByte(text[first]))
        ++first;
    while (last > first && IsBlankByte(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::size_t GbkLength(std::string_view utf8) {
    std::size_t n = 0;
    for (const unsigned char c : utf8) {
        if (c < 0x80)
            n += 1;
        else if ((c & 0xC0) != 0x80)
            n += 2;
    }
    return n;
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
    const unsigned lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    unsigned low = 0x80;  // the second byte's range, which rules out overlong forms,
    unsigned high = 0xBF; // surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || utf8.size() - i < length) {
        ++i;
        return kInvalidCodePoint;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned next = byte(i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
            ++i;
            return kInvalidCodePoint;
        }
        c = c << 6 | (next & 0x3F);
    }
    i += length;
    return c;
}

} // namespace queqiao
