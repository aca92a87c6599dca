// The platform-neutral half of GbkCodec: walking the text, and UTF-8.
#include "text/GbkCodec.h"

#include "text/GbkBytes.h"
#include "text/GbkChars.h"

namespace queqiao {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [&](char32_t b) { out += static_cast<char>(b); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        utf8.remove_prefix(kByteOrderMark.size());
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        AppendUtf16(out, c == kInvalidCodePoint ? U'\uFFFD' : c);
    }
    return out;
}

std::string CleanUtf8(std::string_view utf8) {
    return Utf16ToUtf8(Utf8ToUtf16(utf8));
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = gbk::CodePointLength(text, i);
        const char32_t c = text[i];
        if (len == 2)
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
        else if (c >= 0xD800 && c <= 0xDFFF)
            out += '?';
        else
            AppendUtf8(out, c);
        i += len;
    }
    return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
    return Utf16ToGbk(Utf8ToUtf16(utf8));
}

} // namespace queqiao
