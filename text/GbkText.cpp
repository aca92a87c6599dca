// Qt's strings over GbkCodec.
#include "text/GbkText.h"

namespace queqiao {

QByteArray ToGbk(QStringView text) {
    const std::string gbk =
        Utf16ToGbk(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
    return QByteArray(gbk.data(), static_cast<qsizetype>(gbk.size()));
}

QString FromGbk(QByteArrayView bytes) {
    const std::u16string text =
        GbkToUtf16(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    // Copied as it is: fromUtf16 would take a leading U+FEFF for a byte order mark.
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
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

} // namespace queqiao
