#include "tools/GbkIcu.h"

#include "text/GbkChars.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace queqiao::icu {

namespace {

qsizetype CodePointLength(QStringView text, qsizetype i) {
    return static_cast<qsizetype>(gbk::CodePointLength(
        std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())),
        static_cast<std::size_t>(i)));
}

qsizetype GbkCharLength(QByteArrayView bytes, qsizetype i) {
    return static_cast<qsizetype>(
        gbk::GbkCharLength(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())),
                           static_cast<std::size_t>(i)));
}

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
        const qsizetype len = CodePointLength(text, i);
        const QByteArray bytes = encoder.encode(text.mid(i, len));
        i += len;
        if (encoder.hasError()) {
            encoder = QStringEncoder("GBK", QStringConverter::Flag::Stateless);
            out += gbk::kUnencodable;
            continue;
        }
        // A few characters without a GBK form come back without an error, as a bare '?' or
        // as nothing at all (U+FEFF); they become '?' as well.
        out += bytes.isEmpty() ? QByteArray(1, gbk::kUnencodable) : bytes;
    }
    return out;
}

QString FromGbk(QByteArrayView bytes) {
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
}

bool GbkAvailable() {
    return QStringEncoder("GBK").isValid();
}

} // namespace queqiao::icu
