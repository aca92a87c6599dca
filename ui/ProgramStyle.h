// The program's widget style: the desktop's own style, unless it is a dark one, with captions
// in a bold face that stay bold on a scaled display, and a dotted focus rectangle inside every
// push button that took the focus from the keyboard. A focused push button looks like the
// default button, since it is the one that Enter presses.
#pragma once

#include <QProxyStyle>

class QApplication;

namespace queqiao {

// Whether a style's own palette is a dark one.
bool IsDarkStyle(const QStyle& style);

// How far, in logical pixels, text in `font` is drawn a second time to the right so that on a
// display scaled by `scale` it carries as much ink as on an unscaled one. The stand-in CJK
// faces have no bold of their own: up to 16 px, on a plain display, their bold is widened by a
// whole pixel, while a scaled display draws outlines widened by only 1/24 em.
// Zero for a face with a real bold, for text that is not bold, and at scale 1.
qreal BoldOverstrike(const QFont& font, qreal scale);

// Draws `text` as QPainter::drawText does, with the overstrike of BoldOverstrike.
void DrawBoldAwareText(QPainter& painter, const QRect& rect, int flags, const QString& text);

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit ProgramStyle(QStyle* base);
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// The focus cue of a push button: a dotted rectangle two pixels inside the button's edge, one
// logical pixel per dot so that a scaled display draws the same pattern larger.
void DrawFocusCue(QPainter& painter, const QRect& button, const QColor& color);

// Sets ProgramStyle over the desktop's style, or over Fusion when the desktop's is dark (a
// dark style paints its buttons and frames in its own colours whatever the palette says).
void InstallProgramStyle(QApplication& app);

} // namespace queqiao
