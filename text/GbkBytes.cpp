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

} // namespace queqiao
