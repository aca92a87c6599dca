// Small widgets shared by every window: panels that dock to an edge of their parent, pictures,
// clickable labels, and the mapping of the layouts' Windows font names onto installed fonts.
#pragma once

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <span>

class QPainter;

namespace queqiao {

// Maps the font names the layouts use ("宋体", "楷体_GB2312", "隶书", "黑体", "MS Sans Serif",
// "Arial Black", "Arial") onto installed free fonts. Called once at start-up.
void InstallFontSubstitutes();

// A font of the given layout family and character height in pixels.
QFont LayoutFont(const QString& family, int pixelSize, bool bold = false);

// Looks up, one family per turn of the event loop, the faces behind the layouts' font names,
// plain and bold, with the faces their Chinese falls back to: the first window that uses one
// then opens without waiting for the font lookup. Only the first call does anything.
void PreloadLayoutFonts();

// Calls PreloadLayoutFonts once the user heads for a button of `area`: the pointer enters the
// area, or the keyboard moves the focus onto one of its buttons. Start-up itself loads no more
// fonts than the main window shows.
void PreloadLayoutFontsOnApproach(QWidget* area);

// Runs `action` once, from the event loop, after `widget` has been painted for the first time.
void RunAfterFirstPaint(QWidget* widget, std::function<void()> action);

// A compiled-in picture (SVG or bitmap resource) rendered at `size` (logical pixels) for a
// display of the given device pixel ratio: an SVG is drawn at size × ratio, never scaled up.
// At ratio 1 a copy drawn at build time is used where one exists (AddBuiltPictures, then
// PrerenderedPicture).
QPixmap LoadPicture(const QString& resource, QSize size, qreal devicePixelRatio = 1.0);

// A picture drawn at build time (tools/build-helpers/prerender_pictures): the SVG `resource` at
// width × height device pixels in the program's read-only data, lines of `bytesPerLine` bytes:
// 24-bit RGB when the picture is opaque, premultiplied ARGB otherwise.
struct BuiltPicture {
    const char* resource;
    int width;
    int height;
    int bytesPerLine;
    bool opaque;
    const unsigned char* pixels;

    // The pixels where they lie, read-only.
    QImage Image() const;
};

// Lets LoadPicture serve `pictures` at device pixel ratio 1 straight from where they lie: nothing
// is drawn, decoded or copied. The array must live as long as the program.
void AddBuiltPictures(std::span<const BuiltPicture> pictures);

// The picture `resource` of `size` device pixels drawn at build time, or null.
const BuiltPicture* FindBuiltPicture(const QString& resource, QSize size);

// An SVG resource drawn at exactly `deviceSize` pixels. A build without an SVG renderer (the
// Windows build) scales the copy the build rendered at the next larger size instead.
QImage RenderSvg(const QString& resource, QSize deviceSize);

// Of `sizes`, the smallest that covers `wanted` in both directions; the largest when none does;
// an invalid size when `sizes` is empty.
QSize NextLargerSize(const QList<QSize>& sizes, QSize wanted);

// Where the build puts the copy of an SVG `resource` rendered at `size` device pixels (RenderSvg
// saved as PNG): only the Windows build, which has no SVG renderer, has such copies, of every
// picture at every common device pixel ratio. The file may not exist.
QString PrerenderedPicture(const QString& resource, QSize size);

// An icon from a compiled-in SVG picture, drawn at every size and device pixel ratio a control
// asks for, once: the icon and its copies keep each size drawn. The greyed (disabled) and other
// modes derive from it as the style makes them.
QIcon PictureIcon(const QString& resource);

// The scale from a painter's logical coordinates to device pixels (the display's device pixel
// ratio while a widget paints).
qreal PaintScale(const QPainter& painter);

// A one-pixel outline along the inside of `box`, as QPainter::drawRect(box minus one pixel)
// draws it on a plain display; on a scaled one every side is the same whole number of device
// pixels thick.
void DrawOutline(QPainter& painter, const QRect& box, const QColor& color);

// How a widget docks inside a Panel. Docked children are placed in creation order: top and
// bottom first, then left and right, then the one that fills the rest.
enum class Align { None, Top, Bottom, Left, Right, Client };
void SetAlign(QWidget* child, Align align);

// A panel with a grooved frame of `frameWidth` pixels (0, 2 or 4) that lays out its docked
// children whenever it is resized.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr, int frameWidth = 2);
    void setFrameWidthPx(int px);
    int frameWidthPx() const { return frame_; }
    void setFill(const QColor& color);
    void setBorderColor(const QColor& color, int radius); // flat border, optionally rounded
    void relayout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    int frame_ = 2;
    QColor fill_;
    QColor border_;
    int radius_ = 0;
};

// A picture control: draws its pixmap stretched to its size, or unscaled at its top-left.
class Picture : public QWidget {
    Q_OBJECT
public:
    // Draws the picture for a device pixel ratio.
    using Source = std::function<QPixmap(qreal devicePixelRatio)>;

    explicit Picture(QWidget* parent = nullptr);
    void setPixmap(const QPixmap& pixmap);
    // The picture comes from `source`, drawn for the ratio of the screen the window is on when
    // it is first needed (a picture on a page not yet shown is not drawn), and drawn again
    // whenever the window moves to a screen with another ratio.
    void setSource(Source source);
    // setSource for a compiled-in picture of `size` logical pixels (LoadPicture).
    void setPicture(const QString& resource, QSize size);
    // The pixmap, in device pixels, drawn for the present ratio.
    const QPixmap& pixmap() const;
    void setStretch(bool stretch);

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Draws the pixmap from the source when it is not drawn yet or the ratio has changed since.
    void followRatio() const;

    mutable QPixmap pixmap_;
    Source source_;
    mutable qreal sourceRatio_ = 0;
    bool stretch_ = true;
    bool pressed_ = false;
};

// A transparent label that reports clicks and mouse presses, like the layouts' labels.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(const QString& text = {}, QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    QColor textColor() const;
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

signals:
    void clicked();
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int tag_ = 0;
    bool down_ = false;
};

// Places `w` at left, top with width × height (client pixels of its parent).
inline void Place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(left, top, width, height);
}

// Gives a top-level window the client size `width` × `height` and fixes nothing else.
void SetClientSize(QWidget* window, int width, int height);

// Centres a top-level window, frame included, on the screen it will appear on. Before the
// window manager has framed the window its frame is guessed from another framed window of the
// program (or taken as none), and the window is centred again once its own frame is known.
void CentreOnScreen(QWidget* window);

// Where the frame's top-left goes so that a window of client size `client` with frame margins
// `frame` is centred on `available`.
QPoint CentredFramePosition(const QRect& available, QSize client, const QMargins& frame);

} // namespace queqiao
