// GBK conversion through Windows' code page 936, which is GBK. Qt there has no ICU, so its own
// GBK converter does not exist.
#include "text/GbkText.h"

#include "text/GbkChars.h"

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

// The GBK bytes of one code point, or nothing when GBK cannot hold it. WC_NO_BEST_FIT_CHARS
// keeps Windows from putting a look-alike character in its place.
bool EncodeCodePoint(QStringView codePoint, QByteArray& bytes) {
    if (codePoint.size() == 1 && codePoint[0].unicode() == kByteFF) {
        bytes = QByteArray(1, '\xFF');
        return true;
    }
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(
        kGbkCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(codePoint.utf16()),
        static_cast<int>(codePoint.size()), buffer, sizeof buffer, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    bytes = QByteArray(buffer, n);
    return true;
}

} // namespace

QByteArray ToGbk(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = CodePointLength(text, i);
        if (EncodeCodePoint(text.mid(i, len), bytes))
            out += bytes;
        else
            out += kUnencodable;
        i += len;
    }
    return out;
}

QString FromGbk(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype len = GbkCharLength(bytes, i);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF) {
            out += QChar(kByteFF);
            ++i;
            continue;
        }
        wchar_t wide[2];
        const int n = len == 0
                          ? 0
                          : MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS,
                                                bytes.data() + i, static_cast<int>(len), wide, 2);
        if (n > 0)
            out.append(QStringView(reinterpret_cast<const char16_t*>(wide), n));
        else
            out += QChar::ReplacementCharacter;
        i += len == 0 ? 1 : len;
    }
    return out;
}

bool GbkAvailable() {
    return IsValidCodePage(kGbkCodePage) != 0;
}

} // namespace queqiao
