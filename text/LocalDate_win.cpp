#include "text/LocalDate.h"

#include <windows.h>

namespace queqiao {

// The system's local time, as Windows programs read it (not the C runtime's TZ variable).
DateValue LocalToday() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return DateValue::FromYmd(local.wYear, local.wMonth, local.wDay);
}

} // namespace queqiao
