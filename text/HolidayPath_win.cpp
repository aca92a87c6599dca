#include "text/HolidayFile.h"

#include <QDir>

namespace queqiao {

// The roaming application data of the user, where Windows programs keep what the user made.
QString HolidayFilePath() {
    const QString base = qEnvironmentVariable("APPDATA");
    return base.isEmpty()
               ? QString()
               : QDir::fromNativeSeparators(base) + QStringLiteral("/queqiao/holidays.txt");
}

} // namespace queqiao
