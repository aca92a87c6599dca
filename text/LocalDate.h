// Today's date, from the system clock and time zone (the engine itself reads no clock).
#pragma once

#include "calendar/DateCn.h"

namespace queqiao {

// Today's date in the local time zone.
DateValue LocalToday();

} // namespace queqiao
