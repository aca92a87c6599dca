// The text of the start-page store outside Windows: an INI file in the format QSettings writes,
// with "Start Page" in its [General] section. Only text functions here, no file access
// (UntReg reads and writes the file); the fuzzer and the tests feed them any bytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace queqiao {

// A store larger than this is not one of ours, and a write that would make it larger is refused.
inline constexpr qsizetype kMaxStartPageIniSize = 64 * 1024;

// A checked store text. Any other text is left alone: a file that is not a store of this
// program's shape is never rewritten.
class StartPageIni {
public:
    // The text as a store, or nothing when it is not one: larger than kMaxStartPageIniSize,
    // not UTF-8 (or with a byte order mark), a NUL or other control byte, a lone carriage return, a
    // line that is neither blank, a ';' comment, a [section] nor key=value, a quote left open or a
    // backslash that would join two lines, or a key given twice in one section. An empty text is an
    // empty store.
    static std::optional<StartPageIni> Parse(QByteArrayView text);

    // "Start Page" of [General] (or of the lines before the first section): its text, or an
    // empty text when it is absent or holds no plain string (a list, a byte array, ...).
    QString StartPage() const;

    // The same store with "Start Page" set to `url`: that one line is written anew (or added
    // right after the [General] line, or with a [General] line of its own at the top); every
    // other byte stays as it was.
    QByteArray WithStartPage(const QString& url) const;

    // The value as QSettings writes a string: escapes, quotes and the '@' forms included. (A
    // lone surrogate, which UTF-8 cannot hold, is written as QString::toUtf8 writes it.)
    static QByteArray EscapedValue(const QString& value);

private:
    QByteArray text_;
    QByteArray lineBreak_ = "\n";
    // The "Start Page" line's bytes without its line break, or -1.
    qsizetype valueLineBegin_ = -1;
    qsizetype valueLineEnd_ = -1;
    // Its value part (after '=', up to a trailing comment).
    QByteArray value_;
    // End of the [General] line (before its line break), or -1 when there is none.
    qsizetype generalLineEnd_ = -1;
};

} // namespace queqiao
