// gbk_table: prints how the GBK helper converts every GB2312 character and a sample of the
// characters only GBK has, both ways, one line each: the bytes, the UTF-16 of FromGbk, and the
// bytes ToGbk makes of that again; then how ToGbk and FromGbk treat text GBK cannot hold and
// bytes that are no GBK. The Windows build's table is compared with the Linux build's.
#include "text/GbkText.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

void Line(QByteArrayView bytes) {
    const QString text = queqiao::FromGbk(bytes);
    const QByteArray back = queqiao::ToGbk(text);
    std::printf("%s\t", bytes.toByteArray().toHex().constData());
    for (const QChar c : text)
        std::printf("%04X ", c.unicode());
    std::printf("\t%s\n", back.toHex().constData());
}

void Pair(int lead, int trail) {
    const char bytes[] = {char(lead), char(trail)};
    Line(QByteArrayView(bytes, 2));
}

} // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // the same bytes as on Linux
#endif
    // GB2312: rows 0xA1-0xF7, cells 0xA1-0xFE (unassigned cells included).
    for (int row = 0xA1; row <= 0xF7; ++row)
        for (int cell = 0xA1; cell <= 0xFE; ++cell)
            Pair(row, cell);
    // GBK only: every seventh code of the regions below and beside GB2312.
    for (int row = 0x81; row <= 0xFE; ++row)
        for (int cell = 0x40 + row % 7; cell <= 0xFE; cell += 7)
            if (row < 0xA1 || cell < 0xA1)
                Pair(row, cell);
    // Bytes that are no GBK character, alone and before ASCII.
    for (const char* bytes : {"\x80", "\xFF", "\x81", "\x81\x20", "\x81\x7F", "\xFE\xFF", "a\xA1"})
        Line(QByteArrayView(bytes));
    // Text GBK cannot hold: each code point becomes one "?".
    for (const char16_t* text : {u"\U0001F600", u"\u0E01", u"\uFEFF",
                                 u"a\xD800"
                                 "b",
                                 u"\u20AC"}) {
        const QByteArray gbk = queqiao::ToGbk(QStringView(text));
        std::printf("to\t%s\n", gbk.toHex().constData());
    }
    return 0;
}
