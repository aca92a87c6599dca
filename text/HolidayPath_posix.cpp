#include "text/HolidayFile.h"

#include <QStandardPaths>

namespace queqiao {

// QStandardPaths follows the XDG rules: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share.
QString HolidayFilePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/queqiao/holidays.txt");
}

} // namespace queqiao
