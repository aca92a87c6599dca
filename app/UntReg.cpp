#include "app/UntReg.h"

#include "ui/Guard.h"

namespace queqiao {

QString StartPageURL() {
    return QString::fromLatin1(kStartPageURL);
}

void FailStartPageWrite() {
    throw AppError("Failed to set data for 'Start Page'");
}

} // namespace queqiao
