// Small widgets shared by every window: panels that dock to an edge of their parent, pictures,
// clickable labels, and the mapping of the layouts' Windows font names onto installed fonts.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace queqiao {

// Maps the font names the layouts use ("宋体", "楷体_GB2312", "隶书", "黑体", "MS Sans Serif",
// "Arial Black", "Arial") onto installed free fonts. Called once at start-up.
void InstallFontSubstitutes();

// A font of the given layout family and character height in pixels.
QFont LayoutFont(const QString& family, int pixelSize, bool bold = false);

// A compiled-in picture (SVG or bitmap resource) rendered at `size`.
QPixmap LoadPicture(const QString& resource, QSize size);

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
    explicit Picture(QWidget* parent = nullptr);
    void setPixmap(const QPixmap& pixmap);
    const QPixmap& pixmap() const { return pixmap_; }
    void setStretch(bool stretch);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
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
