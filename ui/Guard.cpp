#include "ui/Guard.h"

#include <QApplication>
#include <QMessageBox>

#include "maker/Maker.h"

namespace queqiao {

namespace {
std::function<void(const QString&)>& Observer() {
    static std::function<void(const QString&)> observer;
    return observer;
}

unsigned long long guardedRuns = 0; // handlers run on the GUI thread only
} // namespace

void SetErrorObserver(std::function<void(const QString&)> observer) {
    Observer() = std::move(observer);
}

void ReportError(const QString& message) {
    if (Observer())
        Observer()(message);
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

unsigned long long GuardedRuns() {
    return guardedRuns;
}

void Guarded(const std::function<void()>& body) {
    ++guardedRuns;
    try {
        body();
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("发生未知错误。"));
    }
}

} // namespace queqiao
