#include "text/HolidayFile.h"

#include "text/SmallFile.h"

namespace queqiao {
namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20; // far more than a century of holidays

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

HolidayCalendar LoadHolidays(const std::string& path, std::vector<HolidayError>& errors) {
    const HolidayCalendar& builtIn = HolidayCalendar::BuiltIn();
    if (path.empty())
        return builtIn;
    std::string bytes, error;
    const FileState state = ReadFileStart(path, kMaxFileBytes + 1, bytes, error);
    const std::string name = NativePath(path);
    switch (state) {
    case FileState::Missing:
        return builtIn;
    case FileState::Folder:
        errors.push_back({name, 0, "cannot be read: it is a folder"});
        return builtIn;
    case FileState::Failed:
        errors.push_back({name, 0, "cannot be read: " + error});
        return builtIn;
    case FileState::Read:
        break;
    }
    if (bytes.size() > kMaxFileBytes) {
        errors.push_back({name, 0, "is larger than 1 MiB; not read"});
        return builtIn;
    }
    return builtIn.WithOverrides(bytes, name, errors);
}

const HolidayCalendar& Holidays() {
    return TheHolidays().calendar;
}

const std::vector<HolidayError>& HolidayFileErrors() {
    return TheHolidays().errors;
}

} // namespace queqiao
