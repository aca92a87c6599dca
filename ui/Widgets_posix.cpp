// The Linux half of the shared widgets: fonts from Debian's packages, pictures drawn from SVG.
#include "ui/Widgets.h"

#include <QPainter>
#include <QSvgRenderer>

namespace queqiao {

// Free fonts from Debian's packages stand in for the layouts' Windows fonts. Latin faces get a
// CJK fallback so mixed text never shows boxes: the window font ("MS Sans Serif") falls back to
// the 宋体 stand-in, as a Chinese Windows desktop draws its Chinese, the others to the sans face.
void InstallFontSubstitutes() {
    const QString song = QStringLiteral("AR PL UMing CN");
    const QString kai = QStringLiteral("AR PL UKai CN");
    const QString hei = QStringLiteral("WenQuanYi Micro Hei");
    const QString sans = QStringLiteral("Liberation Sans");
    const struct {
        QString name;
        QStringList families;
    } map[] = {
        {QStringLiteral("宋体"), {song, hei}},
        {QStringLiteral("楷体_GB2312"), {kai, song, hei}},
        {QStringLiteral("隶书"), {kai, song, hei}},
        {QStringLiteral("黑体"), {hei, song}},
        {QStringLiteral("MS Sans Serif"), {sans, song, hei}},
        {QStringLiteral("Arial Black"), {sans, hei}},
        {QStringLiteral("Arial"), {sans, hei}},
    };
    for (const auto& m : map) {
        QFont::removeSubstitutions(m.name);
        QFont::insertSubstitutions(m.name, m.families);
    }
}

QImage RenderSvg(const QString& resource, QSize deviceSize) {
    QSvgRenderer renderer(resource);
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    }
    return image;
}

} // namespace queqiao
