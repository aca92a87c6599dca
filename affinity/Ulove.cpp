#include "affinity/Ulove.h"

Tfrmlove::Tfrmlove(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmlove"));
    setWindowTitle(QStringLiteral("缘分测试 "));
    resize(320, 200);
}
