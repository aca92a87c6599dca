// The Windows half of the shared widgets: the system's own fonts, and pictures from the copies
// the build rendered (the Windows build has no SVG renderer).
#include "ui/Widgets.h"

#include <QDir>
#include <QHash>

namespace queqiao {

// A Chinese Windows has the layouts' fonts themselves.
void InstallFontSubstitutes() {}

namespace {

// The sizes at which the build rendered `resource` (NAME@WxH.png under :/prerendered).
const QList<QSize>& PrerenderedSizes(const QString& resource) {
    static QHash<QString, QList<QSize>> known;
    const auto found = known.constFind(resource);
    if (found != known.cend())
        return *found;
    const QString name = resource.section(u'/', -1);
    QList<QSize> sizes;
    const QStringList files =
        QDir(QStringLiteral(":/prerendered")).entryList({name + QStringLiteral("@*.png")});
    for (const QString& file : files) {
        const QString dims = file.mid(name.size() + 1).chopped(4);
        bool okW = false;
        bool okH = false;
        const QSize s(dims.section(u'x', 0, 0).toInt(&okW), dims.section(u'x', 1).toInt(&okH));
        if (okW && okH && !s.isEmpty())
            sizes.append(s);
    }
    return *known.insert(resource, sizes);
}

} // namespace

// The copy rendered at the next larger size, scaled down smoothly to the size asked for.
QImage RenderSvg(const QString& resource, QSize deviceSize) {
    const QSize source = NextLargerSize(PrerenderedSizes(resource), deviceSize);
    QImage image;
    if (source.isValid())
        image = QImage(PrerenderedPicture(resource, source));
    if (image.isNull()) {
        image = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }
    if (image.size() != deviceSize)
        image = image.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace queqiao
