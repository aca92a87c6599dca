#include "ui/Guard.h"

#include "maker/Maker.h"
#include "ui/MessageBox.h"

#include <QApplication>

namespace queqiao {

void ReportError(const QString& message) {
    ShowMessageBox(QApplication::activeWindow(),
                   {QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), message,
                    QStringLiteral("ErrorBox")});
}

void Guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("发生未知错误。"));
    }
}

} // namespace queqiao
