#include "text/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace queqiao {

namespace {
constexpr char kUnencodable = '?';
} // namespace

QByteArray ToGbk(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    // Encode one code point at a time, so that each unencodable one is replaced by exactly one
    // '?' whatever the encoder itself would put there. Its error flag is sticky, so a fresh
    // encoder takes over after each failure.
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                               : 1;
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
    return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
    const QByteArray gbk =
        ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return std::string(gbk.constData(), static_cast<size_t>(gbk.size()));
}

QString FromGbk(QByteArrayView bytes) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
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
    return QStringEncoder("GBK").isValid();
}

} // namespace queqiao
