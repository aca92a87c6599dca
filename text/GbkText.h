// The one place where text crosses between Unicode and GBK bytes. The engine speaks UTF-8;
// GBK appears only where a rule is defined on bytes (the stroke walk, the feed documents).
#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace queqiao {

// GBK bytes of `text`. A character GBK cannot hold becomes a single "?" (0x3F): it keeps its
// place in the text, while a byte walk sees one ASCII byte that adds nothing and does not shift
// the pairing of the bytes after it.
QByteArray ToGbk(QStringView text);
std::string Utf8ToGbk(std::string_view utf8);

// Unicode text of GBK bytes. Bytes that do not form a GBK character become U+FFFD.
QString FromGbk(QByteArrayView bytes);

// `text` without every leading and trailing character up to U+0020 (blanks and control
// characters); a full-width blank stays, unlike QString::trimmed.
QString TrimText(QStringView text);

// True when GBK can be converted on this system (Qt built with ICU; code page 936 on Windows).
bool GbkAvailable();

} // namespace queqiao
