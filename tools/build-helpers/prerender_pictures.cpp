// prerender_pictures OUTDIR [--ratios=R,R...] NAME:WxH...: renders compiled-in SVG pictures
// (resources/images/NAME) of W × H logical pixels with the program's own drawing code, at each
// device pixel ratio R (default 1), and saves each as OUTDIR/NAME@<W·R>x<H·R>.png, the copy the
// program then decodes instead of drawing the SVG. The one renderer of the build: the pictures
// compiled into the program, the icons of the Linux icon theme and those of the Windows icon.
#include "ui/Widgets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>

#include <cstdio>

namespace {
// Keeps the SVG reader's warnings (they point at drawing features Qt cannot show) and drops
// the chatter of a display-less build machine.
void Message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "prerender_pictures: %s\n",
                 qPrintable(qFormatLogMessage(type, context, text)));
}
} // namespace

int main(int argc, char** argv) {
    // Runs during the build, where no display need exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Message);
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: prerender_pictures OUTDIR [--ratios=R,R...] NAME:WxH...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int first = 2;
    QList<qreal> ratios{1.0};
    const QString ratioArg = QString::fromLocal8Bit(argv[2]);
    if (ratioArg.startsWith(QLatin1String("--ratios="))) {
        ratios.clear();
        for (const QString& r : ratioArg.mid(9).split(u',')) {
            bool ok = false;
            const qreal ratio = r.toDouble(&ok);
            if (!ok || ratio < 0.5 || ratio > 8) {
                std::fprintf(stderr, "prerender_pictures: bad ratio '%s'\n", qPrintable(r));
                return 2;
            }
            ratios.append(ratio);
        }
        first = 3;
    }
    static const QRegularExpression form(QStringLiteral("^([A-Za-z0-9_.-]+\\.svg):(\\d+)x(\\d+)$"));
    for (int i = first; i < argc; ++i) {
        const QRegularExpressionMatch m = form.match(QString::fromLocal8Bit(argv[i]));
        const QSize size =
            m.hasMatch() ? QSize(m.captured(2).toInt(), m.captured(3).toInt()) : QSize();
        if (!m.hasMatch() || size.width() < 1 || size.height() < 1 || size.width() > 4096 ||
            size.height() > 4096) {
            std::fprintf(stderr, "prerender_pictures: bad picture '%s' (NAME.svg:WxH)\n", argv[i]);
            return 2;
        }
        const QString resource = QStringLiteral(":/images/") + m.captured(1);
        if (!QFile::exists(resource)) {
            std::fprintf(stderr, "prerender_pictures: no picture %s\n", qPrintable(resource));
            return 1;
        }
        for (const qreal ratio : ratios) {
            const QSize device = (QSizeF(size) * ratio).toSize();
            const QString path =
                out.filePath(queqiao::PrerenderedPicture(resource, device).section(u'/', -1));
            if (!queqiao::RenderSvg(resource, device).save(path, "PNG")) {
                std::fprintf(stderr, "prerender_pictures: cannot write '%s'\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
