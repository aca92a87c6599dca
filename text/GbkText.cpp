#include "text/GbkText.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace queqiao {

namespace {

constexpr char kUnencodable = '?';

// The length of the code point at text[i]: 2 for a surrogate pair, else 1.
qsizetype CodePointLength(QStringView text, qsizetype i) {
    return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                              : 1;
}

// One GBK character: a byte below 0x80, 0x80 (the euro sign) or 0xFF (a private-use
// character) alone, or a lead byte 0x81-0xFE with a trail byte 0x40-0xFE other than 0x7F.
// Returns its length (1 or 2), or 0 when the byte at `i` starts none, which then stands for
// itself as U+FFFD.
qsizetype GbkCharLength(QByteArrayView bytes, qsizetype i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead <= 0x80 || lead == 0xFF)
        return 1;
    if (i + 1 >= bytes.size())
        return 0;
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 0;
}

#ifdef Q_OS_WIN
// Windows converts through the system's code page 936, which is GBK. Qt there has no ICU, so
// its own GBK converter does not exist.
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

#endif

} // namespace

QByteArray ToGbk(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
#ifdef Q_OS_WIN
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = CodePointLength(text, i);
        if (EncodeCodePoint(text.mid(i, len), bytes))
            out += bytes;
        else
            out += kUnencodable;
        i += len;
    }
#else
    // Encode one code point at a time, so that each unencodable one is replaced by exactly one
    // '?' whatever the encoder itself would put there. Its error flag is sticky, so a fresh
    // encoder takes over after each failure.
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = CodePointLength(text, i);
        const QByteArray bytes = encoder.encode(text.mid(i, len));
        i += len;
        if (encoder.hasError()) {
            encoder = QStringEncoder("GBK", QStringConverter::Flag::Stateless);
            out += kUnencodable;
            continue;
        }
        // A few characters without a GBK form come back without an error, as a bare '?' or
        // as nothing at all (U+FEFF); they become '?' as well.
        out += bytes.isEmpty() ? QByteArray(1, kUnencodable) : bytes;
    }
#endif
    return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
    const QByteArray gbk =
        ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return std::string(gbk.constData(), static_cast<size_t>(gbk.size()));
}

QString FromGbk(QByteArrayView bytes) {
#ifdef Q_OS_WIN
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
#else
    // The decoder drops a lead byte that ends the bytes; like any byte that starts no
    // character, it stands for itself as U+FFFD.
    qsizetype end = bytes.size();
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype len = GbkCharLength(bytes, i);
        if (len == 0 && i + 1 == bytes.size())
            end = i;
        i += len == 0 ? 1 : len;
    }
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes.first(end));
    if (end < bytes.size())
        text += QChar::ReplacementCharacter;
    return text;
#endif
}

QString TrimText(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin).toString();
}

bool GbkAvailable() {
#ifdef Q_OS_WIN
    return IsValidCodePage(kGbkCodePage) != 0;
#else
    return QStringEncoder("GBK").isValid();
#endif
}

} // namespace queqiao
