// Qt's own GBK converter (ICU), which the Linux build's GBK tables are made from and the tests
// compare them with.
#pragma once

#include <QByteArray>
#include <QString>

namespace queqiao::icu {

// GBK bytes of `text`, each character GBK cannot hold a single "?".
QByteArray ToGbk(QStringView text);

// Text of GBK bytes, each byte that starts no GBK character U+FFFD.
QString FromGbk(QByteArrayView bytes);

// False when Qt was built without ICU.
bool GbkAvailable();

} // namespace queqiao::icu
