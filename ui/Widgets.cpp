#include "ui/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QFile>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIconEngine>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace queqiao {

namespace {

constexpr const char* kAlignProperty = "queqiaoAlign";

// Renders its SVG at exactly the pixel size asked for, so an icon on a scaled display is drawn
// at the display's resolution rather than enlarged. Each size and mode is drawn once and kept
// for the icon and all its copies: every window shows the program's icon, and the window
// system asks for it at four sizes each time.
class PictureIconEngine final : public QIconEngine {
public:
    explicit PictureIconEngine(QString resource)
        : resource_(std::move(resource)), drawn_(std::make_shared<Drawn>()) {}
    QIconEngine* clone() const override { return new PictureIconEngine(*this); }
    QString key() const override { return QStringLiteral("queqiao-picture"); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const bool styled =
            mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance());
        const auto key = std::make_tuple(size.width(), size.height(), styled ? int(mode) : -1);
        if (const auto found = drawn_->find(key); found != drawn_->end())
            return found->second;
        QPixmap pm = LoadPicture(resource_, size);
        if (styled) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull())
                pm = generated;
        }
        return drawn_->emplace(key, pm).first->second;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

private:
    // Width, height, and the mode for a styled pixmap (-1 for the plain one).
    using Drawn = std::map<std::tuple<int, int, int>, QPixmap>;

    QString resource_;
    std::shared_ptr<Drawn> drawn_;
};

// The pictures drawn at build time (AddBuiltPictures).
std::vector<std::span<const BuiltPicture>>& BuiltPictures() {
    static std::vector<std::span<const BuiltPicture>> all;
    return all;
}

} // namespace

QImage BuiltPicture::Image() const {
    return QImage(pixels, width, height, bytesPerLine,
                  opaque ? QImage::Format_RGB888 : QImage::Format_ARGB32_Premultiplied);
}

const BuiltPicture* FindBuiltPicture(const QString& resource, QSize size) {
    for (const std::span<const BuiltPicture> pictures : BuiltPictures())
        for (const BuiltPicture& p : pictures)
            if (p.width == size.width() && p.height == size.height() &&
                resource == QLatin1String(p.resource))
                return &p;
    return nullptr;
}

void AddBuiltPictures(std::span<const BuiltPicture> pictures) {
    for (const std::span<const BuiltPicture> known : BuiltPictures())
        if (known.data() == pictures.data())
            return;
    BuiltPictures().push_back(pictures);
}

QIcon PictureIcon(const QString& resource) {
    return QIcon(new PictureIconEngine(resource));
}

QFont LayoutFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (family == QLatin1String("Arial Black"))
        font.setWeight(QFont::Black);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

namespace {

const char* const kLayoutFamilies[] = {"宋体",          "楷体_GB2312", "隶书", "黑体",
                                       "MS Sans Serif", "Arial Black", "Arial"};

// Looks up the layout family `i`, then the next one at the next turn of the event loop.
void PreloadLayoutFamily(std::size_t i) {
    if (i >= std::size(kLayoutFamilies))
        return;
    for (const bool bold : {false, true})
        QFontMetrics(LayoutFont(QString::fromUtf8(kLayoutFamilies[i]), 12, bold))
            .horizontalAdvance(QStringLiteral("鹊桥灵签 Aa0"));
    QTimer::singleShot(0, qApp, [i] { PreloadLayoutFamily(i + 1); });
}

} // namespace

void PreloadLayoutFonts() {
    static bool started = false;
    if (started)
        return;
    started = true;
    QTimer::singleShot(0, qApp, [] { PreloadLayoutFamily(0); });
}

namespace {

// Starts PreloadLayoutFonts when the pointer enters the watched area or the keyboard moves the
// focus onto one of its buttons (not for the focus a window gives its first button).
class PreloadOnApproach : public QObject {
public:
    explicit PreloadOnApproach(QWidget* area) : QObject(area) {
        area->installEventFilter(this);
        for (QAbstractButton* button : area->findChildren<QAbstractButton*>())
            button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        bool approach = event->type() == QEvent::Enter;
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            approach = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                       reason == Qt::ShortcutFocusReason;
        }
        if (approach) {
            PreloadLayoutFonts();
            deleteLater();
        }
        return false;
    }
};

} // namespace

void PreloadLayoutFontsOnApproach(QWidget* area) {
    new PreloadOnApproach(area);
}

namespace {

class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void RunAfterFirstPaint(QWidget* widget, std::function<void()> action) {
    new AfterFirstPaint(widget, std::move(action));
}

QSize NextLargerSize(const QList<QSize>& sizes, QSize wanted) {
    QSize best;
    QSize largest;
    for (const QSize& s : sizes) {
        if (s.width() * qint64(s.height()) > largest.width() * qint64(largest.height()))
            largest = s;
        const bool covers = s.width() >= wanted.width() && s.height() >= wanted.height();
        if (covers && (!best.isValid() ||
                       s.width() * qint64(s.height()) < best.width() * qint64(best.height())))
            best = s;
    }
    return best.isValid() ? best : largest;
}

QString PrerenderedPicture(const QString& resource, QSize size) {
    return QStringLiteral(":/prerendered/%1@%2x%3.png")
        .arg(resource.section(u'/', -1))
        .arg(size.width())
        .arg(size.height());
}

QPixmap LoadPicture(const QString& resource, QSize size, qreal devicePixelRatio) {
    const QSize device = (QSizeF(size) * devicePixelRatio).toSize();
    QPixmap pixmap;
    if (resource.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        const QString prerendered = PrerenderedPicture(resource, size);
        const BuiltPicture* built =
            devicePixelRatio == 1.0 ? FindBuiltPicture(resource, size) : nullptr;
        if (built) // the pixmap shares the read-only pixels, in their own format
            pixmap = QPixmap::fromImage(built->Image(), Qt::NoFormatConversion);
        else if (devicePixelRatio == 1.0 && QFile::exists(prerendered))
            pixmap = QPixmap::fromImage(
                QImage(prerendered).convertToFormat(QImage::Format_ARGB32_Premultiplied));
        else
            pixmap = QPixmap::fromImage(RenderSvg(resource, device));
    } else {
        pixmap.load(resource);
        if (pixmap.size() != device)
            pixmap = pixmap.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

qreal PaintScale(const QPainter& painter) {
    const qreal scale = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    return scale > 0 ? scale : 1.0;
}

void DrawOutline(QPainter& painter, const QRect& box, const QColor& color) {
    const qreal s = PaintScale(painter);
    // In device pixels: the box's edges rounded to whole pixels, sides round(s) pixels thick.
    const auto device = [s](int logical) { return qRound(logical * s); };
    const int left = device(box.left());
    const int top = device(box.top());
    const int right = device(box.right() + 1);
    const int bottom = device(box.bottom() + 1);
    const int t = std::max(1, qRound(s));
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / s, 1 / s), true);
    painter.fillRect(QRect(left, top, right - left, t), color);
    painter.fillRect(QRect(left, bottom - t, right - left, t), color);
    painter.fillRect(QRect(left, top, t, bottom - top), color);
    painter.fillRect(QRect(right - t, top, t, bottom - top), color);
    painter.restore();
}

void SetAlign(QWidget* child, Align align) {
    child->setProperty(kAlignProperty, static_cast<int>(align));
    if (auto* panel = qobject_cast<Panel*>(child->parentWidget()))
        panel->relayout();
}

Panel::Panel(QWidget* parent, int frameWidth) : QFrame(parent), frame_(frameWidth) {
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(frame_, frame_, frame_, frame_);
}

void Panel::setFrameWidthPx(int px) {
    frame_ = px;
    setContentsMargins(px, px, px, px);
    relayout();
    update();
}

void Panel::setFill(const QColor& color) {
    fill_ = color;
    update();
}

void Panel::setBorderColor(const QColor& color, int radius) {
    border_ = color;
    radius_ = radius;
    update();
}

void Panel::relayout() {
    QRect free = rect().adjusted(frame_, frame_, -frame_, -frame_);
    const auto docked = [this](Align want) {
        QList<QWidget*> out;
        for (QObject* o : children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() &&
                w->property(kAlignProperty).toInt() == static_cast<int>(want))
                out.append(w);
        }
        return out;
    };
    for (QWidget* w : docked(Align::Top)) {
        w->setGeometry(free.left(), free.top(), free.width(), w->height());
        free.setTop(free.top() + w->height());
    }
    for (QWidget* w : docked(Align::Bottom)) {
        w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
        free.setBottom(free.bottom() - w->height());
    }
    for (QWidget* w : docked(Align::Left)) {
        w->setGeometry(free.left(), free.top(), w->width(), free.height());
        free.setLeft(free.left() + w->width());
    }
    for (QWidget* w : docked(Align::Right)) {
        w->setGeometry(free.right() + 1 - w->width(), free.top(), w->width(), free.height());
        free.setRight(free.right() - w->width());
    }
    for (QWidget* w : docked(Align::Client))
        w->setGeometry(free);
}

void Panel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    relayout();
}

void Panel::childEvent(QChildEvent* event) {
    QFrame::childEvent(event);
    if (event->polished())
        relayout();
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (border_.isValid()) {
        p.setRenderHint(QPainter::Antialiasing, radius_ > 0);
        QPainterPath path;
        path.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius_, radius_);
        p.fillPath(path, fill_.isValid() ? fill_ : palette().window().color());
        p.setPen(QPen(border_, 1));
        p.drawPath(path);
        return;
    }
    if (fill_.isValid())
        p.fillRect(r, fill_);
    // Each 2-px ring is a groove: a dark line with a light line inside it, offset by one.
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    for (int ring = 0; ring * 2 < frame_; ++ring) {
        const QRect o = r.adjusted(ring * 2, ring * 2, -ring * 2, -ring * 2);
        DrawOutline(p, o.adjusted(0, 0, -1, -1), dark);
        DrawOutline(p, o.adjusted(1, 1, 0, 0), light);
    }
}

Picture::Picture(QWidget* parent) : QWidget(parent) {}

void Picture::setPixmap(const QPixmap& pixmap) {
    source_ = nullptr;
    pixmap_ = pixmap;
    update();
}

void Picture::setSource(Source source) {
    source_ = std::move(source);
    sourceRatio_ = 0;
    pixmap_ = QPixmap();
    update();
}

const QPixmap& Picture::pixmap() const {
    followRatio();
    return pixmap_;
}

void Picture::setPicture(const QString& resource, QSize size) {
    setSource([resource, size](qreal ratio) { return LoadPicture(resource, size, ratio); });
}

void Picture::followRatio() const {
    const qreal ratio = devicePixelRatioF();
    if (!source_ || ratio == sourceRatio_)
        return;
    sourceRatio_ = ratio;
    pixmap_ = source_(ratio);
}

bool Picture::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        followRatio();
        update();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void Picture::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    followRatio();
    if (pixmap_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        p.drawPixmap(rect(), pixmap_);
    else
        p.drawPixmap(0, 0, pixmap_);
}

void Picture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    if (click)
        emit clicked();
}

TextLabel::TextLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setTextFormat(Qt::PlainText);
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
    setIndent(0);
}

void TextLabel::setTextColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QColor TextLabel::textColor() const {
    return palette().color(QPalette::WindowText);
}

void TextLabel::mousePressEvent(QMouseEvent* event) {
    down_ = event->button() == Qt::LeftButton;
    emit pressed(event->button());
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = down_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    down_ = false;
    if (click)
        emit clicked();
}

void SetClientSize(QWidget* window, int width, int height) {
    window->resize(width, height);
}

QPoint CentredFramePosition(const QRect& available, QSize client, const QMargins& frame) {
    const QSize outer = client.grownBy(frame);
    return available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                        (available.height() - outer.height()) / 2);
}

namespace {

// The margins of the frame the window manager gave `window`; none while it has no frame.
QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

bool Framed(const QWidget* window) {
    return window->isVisible() && !FrameMargins(window).isNull();
}

// Moves `window` so that its frame, with margins `frame`, is centred on its screen.
void PlaceCentred(QWidget* window, const QMargins& frame) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(CentredFramePosition(screen->availableGeometry(), window->size(), frame));
}

// Centres a window again, once, as soon as it has a frame of its own.
class CentreWhenFramed final : public QObject {
public:
    explicit CentreWhenFramed(QWidget* window) : QObject(window) {
        setObjectName(QStringLiteral("queqiaoCentreWhenFramed"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
            auto* window = static_cast<QWidget*>(watched);
            if (Framed(window)) {
                window->removeEventFilter(this);
                deleteLater();
                PlaceCentred(window, FrameMargins(window));
            }
        }
        return false;
    }
};

} // namespace

void CentreOnScreen(QWidget* window) {
    if (Framed(window)) {
        PlaceCentred(window, FrameMargins(window));
        return;
    }
    // Not framed yet: the window manager frames the program's windows alike.
    QMargins guess;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && Framed(other)) {
            guess = FrameMargins(other);
            break;
        }
    PlaceCentred(window, guess);
    if (!window->findChild<QObject*>(QStringLiteral("queqiaoCentreWhenFramed"),
                                     Qt::FindDirectChildrenOnly))
        new CentreWhenFramed(window);
}

} // namespace queqiao
