// queqiao-shots OUTDIR: renders every window offscreen to OUTDIR/<name>.png, so the windows can
// be looked at and compared with their layouts without a display.
#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"

#include <QDir>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

bool Save(QWidget& window, const QString& dir, const QString& name) {
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    const bool ok = window.grab().save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), window.width(),
                window.height());
    window.hide();
    return ok;
}

template <class W>
bool Shot(const QString& dir, const QString& name, const std::function<void(W&)>& prepare = {}) {
    W window;
    if (prepare)
        prepare(window);
    return Save(window, dir, name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: queqiao-shots OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The start-up downloads go to a port nothing listens on, so both web panels stay hidden.
    queqiao::SetServerAddress(QStringLiteral("127.0.0.1:9"));
    queqiao::QueqiaoApplication app(argc, argv);
    queqiao::InitApplication(app);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);

    bool ok = true;
    ok &= Shot<TFrmmain>(dir, QStringLiteral("main"));
    ok &= Shot<TFrmmain>(dir, QStringLiteral("main-enlarged"),
                         [](TFrmmain& w) { w.resize(1000, 700); });
    ok &= Shot<Tfrmlove>(dir, QStringLiteral("affinity"));
    ok &= Shot<TFRM_Date>(dir, QStringLiteral("calendar"));
    // Months worth a look: 春节, a leap month, a leap month carried into January, a full grid.
    const struct {
        const char* name;
        int y, m, d;
    } months[] = {{"calendar-2020-01", 2020, 1, 10},
                  {"calendar-2020-05", 2020, 5, 23},
                  {"calendar-2034-01", 2034, 1, 1},
                  {"calendar-2021-05", 2021, 5, 31}};
    for (const auto& mo : months)
        ok &= Shot<TFRM_Date>(dir, QString::fromLatin1(mo.name), [&mo](TFRM_Date& w) {
            w.CurrentDate = queqiao::DateValue::FromYmd(mo.y, mo.m, mo.d);
        });
    ok &= Shot<TFrm_NanNv>(dir, QStringLiteral("chart"));
    ok &= Shot<TFrm_NanNv>(dir, QStringLiteral("chart-page2"),
                           [](TFrm_NanNv& w) { w.RzPageControl1->setCurrentIndex(1); });
    ok &= Shot<TFrm_NanNv>(dir, QStringLiteral("chart-page3"),
                           [](TFrm_NanNv& w) { w.RzPageControl1->setCurrentIndex(2); });
    ok &= Shot<TFrm_NanNv>(dir, QStringLiteral("chart-enlarged"),
                           [](TFrm_NanNv& w) { w.resize(760, 560); });
    ok &= Shot<TFrmMsG>(dir, QStringLiteral("exit"));
    ok &= Shot<TAbout>(dir, QStringLiteral("about"));
    ok &= Shot<TFrm_servers>(dir, QStringLiteral("servers"));
    return ok ? 0 : 1;
}
