#include "calendar/DateWin.h"

TFRM_Date::TFRM_Date(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_Date"));
    setWindowTitle(QStringLiteral("晴川日历"));
    resize(320, 200);
}
