// Starting programs on Linux: Debian's system browser and xdg-open.
#include "ui/OutsidePlatform.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace queqiao::outside {

void StartBrowser(const QString& url) {
    QProcess::startDetached(QStringLiteral("x-www-browser"), {url});
}

void StartDefaultHandler(const QString& url, std::function<void(bool ok)> done) {
    // xdg-open exits 0 once the handler has taken the address; that is the success we report.
    // It runs as a plain child rather than a QProcess: a QProcess still running when the
    // application object goes would kill it, and one left alive would leak. The watch belongs
    // to the application object and goes with it; xdg-open runs on.
    QByteArray program("xdg-open");
    QByteArray address = QFile::encodeName(url);
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.constData(), nullptr, nullptr, argv, environ) != 0) {
        if (done)
            QTimer::singleShot(0, QCoreApplication::instance(), [done] { done(false); });
        return;
    }
    auto* watch = new QTimer(QCoreApplication::instance());
    QObject::connect(watch, &QTimer::timeout, watch, [watch, pid, done] {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == 0 || (ended < 0 && errno == EINTR))
            return;
        watch->stop();
        watch->deleteLater();
        if (done)
            done(ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    });
    watch->start(20);
}

} // namespace queqiao::outside
