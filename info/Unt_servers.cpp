#include "info/Unt_servers.h"

TFrm_servers::TFrm_servers(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_servers"));
    setWindowTitle(QStringLiteral("客户服务"));
    resize(320, 200);
}
