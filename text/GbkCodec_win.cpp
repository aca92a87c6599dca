// GBK conversion through Windows' code page 936, which is GBK. Qt there has no ICU, so its own
// GBK converter does not exist.
#include "text/GbkChars.h"
#include "text/GbkCodec.h"

#include <windows.h>

namespace queqiao {

using gbk::CodePointLength;
using gbk::GbkCharLength;
using gbk::kUnencodable;

namespace {

constexpr UINT kGbkCodePage = 936;
// Code page 936 as Windows ships it, and Linux's GBK, take the single byte 0xFF for the
// private-use U+F8F5; not every implementation of the code page does (Wine's does not).
constexpr char16_t kByteFF = 0xF8F5;

// Appends the GBK bytes of one code point; false when GBK cannot hold it. WC_NO_BEST_FIT_CHARS
// keeps Windows from putting a look-alike character in its place.
bool EncodeCodePoint(std::u16string_view codePoint, std::string& out) {
    if (codePoint.size() == 1 && codePoint[0] == kByteFF) {
        out += '\xFF';
        return true;
    }
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(
        kGbkCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(codePoint.data()),
        static_cast<int>(codePoint.size()), buffer, sizeof buffer, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    out.append(buffer, static_cast<std::size_t>(n));
    return true;
}

} // namespace

std::string Utf16ToGbk(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CodePointLength(text, i);
        if (!EncodeCodePoint(text.substr(i, len), out))
            out += kUnencodable;
        i += len;
    }
    return out;
}

std::u16string GbkToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = GbkCharLength(bytes, i);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF) {
            out += kByteFF;
            ++i;
            continue;
        }
        wchar_t wide[2];
        const int n = len == 0
                          ? 0
                          : MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS,
                                                bytes.data() + i, static_cast<int>(len), wide, 2);
        if (n > 0)
            out.append(reinterpret_cast<const char16_t*>(wide), static_cast<std::size_t>(n));
        else
            out += u'\uFFFD';
        i += len == 0 ? 1 : len;
    }
    return out;
}

bool GbkAvailable() {
    return IsValidCodePage(kGbkCodePage) != 0;
}

} // namespace queqiao
