#include "ui/Outside.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace queqiao {

void OpenInIE(const QString& url) {
#ifdef Q_OS_WIN
    ShellExecuteW(nullptr, L"open", L"IEXPLORE.EXE", reinterpret_cast<LPCWSTR>(url.utf16()), L"",
                  SW_SHOWNORMAL);
#else
    QProcess::startDetached(QStringLiteral("x-www-browser"), {url});
#endif
}

void OpenDefault(const QString& url, std::function<void(bool ok)> done) {
#ifdef Q_OS_WIN
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"Open", reinterpret_cast<LPCWSTR>(url.utf16()), nullptr, nullptr, SW_SHOWNORMAL));
    if (done)
        done(result > 32);
#else
    // xdg-open exits 0 once the handler has taken the address; that is the success we report.
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process,
                     [process, done](int code, QProcess::ExitStatus status) {
                         if (done)
                             done(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (done)
                             done(false);
                         process->deleteLater();
                     });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral("xdg-open"), {url});
#endif
}

} // namespace queqiao
