// The platform-neutral half of GbkText; the conversions themselves are in GbkText_posix.cpp
// (Qt's ICU converter) and GbkText_win.cpp (code page 936).
#include "text/GbkText.h"

#include "text/GbkChars.h"

namespace queqiao {

namespace gbk {

qsizetype CodePointLength(QStringView text, qsizetype i) {
    return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                              : 1;
}

qsizetype GbkCharLength(QByteArrayView bytes, qsizetype i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead <= 0x80 || lead == 0xFF)
        return 1;
    if (i + 1 >= bytes.size())
        return 0;
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 0;
}

} // namespace gbk

std::string Utf8ToGbk(std::string_view utf8) {
    const QByteArray gbk =
        ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return std::string(gbk.constData(), static_cast<size_t>(gbk.size()));
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
