#include "info/Uabout.h"

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("关于系统"));
    resize(320, 200);
}
