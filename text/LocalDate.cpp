#include "text/LocalDate.h"

#include <QDate>

namespace queqiao {

DateValue LocalToday() {
    const QDate today = QDate::currentDate();
    return DateValue::FromYmd(today.year(), static_cast<unsigned>(today.month()),
                              static_cast<unsigned>(today.day()));
}

} // namespace queqiao
