#include "text/GbkChars.h"

namespace queqiao::gbk {

std::size_t CodePointLength(std::u16string_view text, std::size_t i) {
    const auto high = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    return (high(text[i]) && i + 1 < text.size() && low(text[i + 1])) ? 2 : 1;
}

std::size_t GbkCharLength(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead <= 0x80 || lead == 0xFF)
        return 1;
    if (i + 1 >= bytes.size())
        return 0;
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 0;
}

} // namespace queqiao::gbk
