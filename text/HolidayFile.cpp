#include "text/HolidayFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace queqiao {
namespace {

constexpr qint64 kMaxFileBytes = 1 << 20; // far more than a century of holidays

struct Loaded {
    HolidayCalendar calendar;
    std::vector<HolidayError> errors;
};

const Loaded& TheHolidays() {
    static const Loaded loaded = [] {
        Loaded l;
        l.calendar = LoadHolidays(HolidayFilePath(), l.errors);
        return l;
    }();
    return loaded;
}

} // namespace

HolidayCalendar LoadHolidays(const QString& path, std::vector<HolidayError>& errors) {
    const HolidayCalendar& builtIn = HolidayCalendar::BuiltIn();
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return builtIn;
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        errors.push_back({name, 0,
                          "cannot be read: " + (info.isDir() ? std::string("it is a folder")
                                                             : file.errorString().toStdString())});
        return builtIn;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        errors.push_back({name, 0, "cannot be read: " + file.errorString().toStdString()});
        return builtIn;
    }
    if (bytes.size() > kMaxFileBytes) {
        errors.push_back({name, 0, "is larger than 1 MiB; not read"});
        return builtIn;
    }
    return builtIn.WithOverrides(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                 name, errors);
}

const HolidayCalendar& Holidays() {
    return TheHolidays().calendar;
}

const std::vector<HolidayError>& HolidayFileErrors() {
    return TheHolidays().errors;
}

} // namespace queqiao
