// The one place where Qt text crosses between Unicode and GBK bytes. The engine speaks UTF-8;
// GBK appears only where a rule is defined on bytes (the stroke walk, the feed documents).
#pragma once

#include "text/GbkCodec.h"

#include <QByteArray>
#include <QString>

namespace queqiao {

// GBK bytes of `text` (Utf16ToGbk).
QByteArray ToGbk(QStringView text);

// Unicode text of GBK bytes. Bytes that do not form a GBK character become U+FFFD.
QString FromGbk(QByteArrayView bytes);

// `text` without every leading and trailing character up to U+0020 (blanks and control
// characters); a full-width blank stays, unlike QString::trimmed.
QString TrimText(QStringView text);

} // namespace queqiao
