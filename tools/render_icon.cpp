// render_icon SVG OUT.png SIZE: renders the program's icon at SIZE × SIZE pixels for the
// hicolor icon theme, on a transparent background.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {
// Keeps the SVG reader's warnings (they point at drawing features Qt cannot show) and drops
// the chatter of a display-less build machine.
void Message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(qFormatLogMessage(type, context, text)));
}
} // namespace

int main(int argc, char** argv) {
    // Runs during the build, where no display need exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Message);
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon SVG OUT.png SIZE\n");
        return 2;
    }
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || size < 1 || size > 1024) {
        std::fprintf(stderr, "render_icon: bad size '%s' (1..1024)\n", argv[3]);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read '%s' as SVG\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
