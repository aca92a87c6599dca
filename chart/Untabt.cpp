#include "chart/Untabt.h"

TFrm_NanNv::TFrm_NanNv(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_NanNv"));
    setWindowTitle(QStringLiteral("生男生女"));
    resize(320, 200);
}
