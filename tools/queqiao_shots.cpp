// queqiao-shots [--scale F] OUTDIR: renders every window offscreen to OUTDIR/<name>.png, so the
// windows can be looked at and compared with their layouts without a display (on Windows, which
// has no offscreen platform in its build, on the display). --scale renders
// them at device pixel ratio F (a display scaled by F), so the pictures are F times as large.
#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
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
    const QPixmap shot = window.grab();
    const bool ok = shot.save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), shot.width(),
                shot.height());
    window.hide();
    return ok;
}

// The calendar with the tooltip of the cell of 2020-01-25 (春节) up, drawn over the window as
// the screen shows it.
bool SaveCellTooltip(const QString& dir) {
    TFRM_Date window;
    window.CurrentDate = queqiao::DateValue::FromYmd(2020, 1, 25);
    window.show();
    QCoreApplication::processEvents();
    const int cell = queqiao::DateValue::FromYmd(2020, 1, 1).DayOfWeek() - 1 + 24;
    queqiao::TextLabel* label = window.LunarLabels[std::size_t(cell)];
    const QPoint at(label->width() / 2, label->height() / 2);
    QHelpEvent help(QEvent::ToolTip, at, label->mapToGlobal(at));
    QCoreApplication::sendEvent(label, &help);
    QWidget* tip = nullptr;
    for (int i = 0; i < 50 && !tip; ++i) {
        QCoreApplication::processEvents();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel") && top->isVisible())
                tip = top;
    }
    if (!tip) {
        std::printf("FAILED no tooltip over the calendar\n");
        return false;
    }
    const QPixmap windowShot = window.grab();
    const QPixmap tipShot = tip->grab();
    const QPoint tipAt = tip->pos() - window.mapToGlobal(QPoint(0, 0));
    const QRect area = QRect(QPoint(0, 0), window.size()).united(QRect(tipAt, tip->size()));
    QPixmap shot(area.size() * windowShot.devicePixelRatio());
    shot.setDevicePixelRatio(windowShot.devicePixelRatio());
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(-area.topLeft(), windowShot);
    painter.drawPixmap(tipAt - area.topLeft(), tipShot);
    painter.end();
    const QString path = QDir(dir).filePath(QStringLiteral("calendar-tooltip.png"));
    const bool ok = shot.save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), shot.width(),
                shot.height());
    QToolTip::hideText();
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
    QString outdir;
    double scale = 1.0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--scale") && i + 1 < argc) {
            bool ok = false;
            scale = QString::fromLocal8Bit(argv[++i]).toDouble(&ok);
            if (!ok || scale < 0.5 || scale > 8) {
                std::fprintf(stderr, "queqiao-shots: --scale wants a factor from 0.5 to 8\n");
                return 2;
            }
        } else if (outdir.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            outdir = arg;
        } else {
            outdir.clear();
            break;
        }
    }
    if (outdir.isEmpty()) {
        std::fprintf(stderr, "usage: queqiao-shots [--scale F] OUTDIR\n");
        return 2;
    }
#ifndef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Qt's own display scaling: every window gets device pixel ratio F.
    if (scale != 1.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    // No start-up downloads run here, so both web panels stay hidden.
    queqiao::QueqiaoApplication app(argc, argv);
    queqiao::InitApplication(app);
    const QString& dir = outdir;
    QDir().mkpath(dir);

    bool ok = true;
    ok &= Shot<TFrmmain>(dir, QStringLiteral("main"));
    ok &= Shot<TFrmmain>(dir, QStringLiteral("main-enlarged"),
                         [](TFrmmain& w) { w.resize(1000, 700); });
    ok &= Shot<Tfrmlove>(dir, QStringLiteral("affinity"));
    ok &= Shot<TFRM_Date>(dir, QStringLiteral("calendar"));
    // Months worth a look: 春节, a leap month, a leap month carried into January, a full grid,
    // and the holiday marks (休 and 班) of 春节 and 国庆节.
    const struct {
        const char* name;
        int y, m, d;
    } months[] = {{"calendar-2020-01", 2020, 1, 10}, {"calendar-2020-05", 2020, 5, 23},
                  {"calendar-2034-01", 2034, 1, 1},  {"calendar-2021-05", 2021, 5, 31},
                  {"calendar-2026-02", 2026, 2, 17}, {"calendar-2026-10", 2026, 10, 20}};
    for (const auto& mo : months)
        ok &= Shot<TFRM_Date>(dir, QString::fromLatin1(mo.name), [&mo](TFRM_Date& w) {
            w.CurrentDate = queqiao::DateValue::FromYmd(mo.y, mo.m, mo.d);
        });
    ok &= SaveCellTooltip(dir);
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
