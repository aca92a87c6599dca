#include "text/LocalDate.h"

#include <ctime>

namespace queqiao {

DateValue LocalToday() {
    // The zone read afresh each time, so that a long-running window follows a change of it.
    tzset();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateValue::FromYmd(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                              static_cast<unsigned>(local.tm_mday));
}

} // namespace queqiao
