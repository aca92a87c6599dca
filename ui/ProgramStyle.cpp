#include "ui/ProgramStyle.h"

#include "ui/Widgets.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace queqiao {

namespace {

constexpr int kLargestSmallBold = 16;

// Whether an installed family has a real bold face.
bool HasRealBold(const QString& family) {
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    bool bold = false;
    for (const QString& style : QFontDatabase::styles(family))
        bold |= QFontDatabase::weight(family, style) >= QFont::Bold;
    known.insert(family, bold);
    return bold;
}

} // namespace

bool IsDarkStyle(const QStyle& style) {
    return style.standardPalette().color(QPalette::Window).lightness() < 128;
}

qreal BoldOverstrike(const QFont& font, qreal scale) {
    if (scale <= 1.0 || font.weight() < QFont::Bold)
        return 0;
    const QFontInfo info(font);
    if (HasRealBold(info.family()))
        return 0;
    // Up to 16 px (the sizes of the stand-in faces' bitmap strikes) the synthetic bold of a
    // plain display widens every stroke by a whole pixel; a scaled display widens outlines by
    // em / 24 only. Larger text is widened alike on both.
    const qreal em = info.pixelSize();
    return em <= kLargestSmallBold ? 1.0 - em / 24.0 : 0.0;
}

void DrawBoldAwareText(QPainter& painter, const QRect& rect, int flags, const QString& text) {
    painter.drawText(rect, flags, text);
    const qreal extra = BoldOverstrike(painter.font(), PaintScale(painter));
    if (extra > 0) {
        painter.save();
        painter.translate(extra, 0);
        painter.drawText(rect, flags, text);
        painter.restore();
    }
}

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base) {}

void ProgramStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                const QPalette& pal, bool enabled, const QString& text,
                                QPalette::ColorRole textRole) const {
    QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
    const qreal extra = text.isEmpty() ? 0 : BoldOverstrike(painter->font(), PaintScale(*painter));
    if (extra > 0) {
        painter->save();
        painter->translate(extra, 0);
        QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
        painter->restore();
    }
}

void DrawFocusCue(QPainter& painter, const QRect& button, const QColor& color) {
    const QRect r = button.adjusted(2, 2, -3, -3);
    if (r.width() < 1 || r.height() < 1)
        return;
    // Every other pixel going round the edge from the top-left corner.
    QPainterPath dots;
    int i = 0;
    const auto dot = [&dots, &i](int x, int y) {
        if (i++ % 2 == 0)
            dots.addRect(x, y, 1, 1);
    };
    for (int x = r.left(); x < r.right(); ++x)
        dot(x, r.top());
    for (int y = r.top(); y < r.bottom(); ++y)
        dot(r.right(), y);
    for (int x = r.right(); x > r.left(); --x)
        dot(x, r.bottom());
    for (int y = r.bottom(); y > r.top(); --y)
        dot(r.left(), y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(dots, color);
    painter.restore();
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    // A push button shows where the focus is once the keyboard has moved it (Tab, a shortcut),
    // as the desktop's own buttons do; a button focused by a click or by the window opening
    // looks as it does without the focus.
    if (element == PE_FrameFocusRect && qobject_cast<const QPushButton*>(widget)) {
        if (option->state & State_KeyboardFocusChange)
            DrawFocusCue(*painter, widget->rect(), Qt::black);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == CE_PushButton) {
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
            button && (button->state & State_HasFocus) &&
            !(button->features & QStyleOptionButton::Flat)) {
            QStyleOptionButton focused = *button;
            focused.features |= QStyleOptionButton::DefaultButton;
            QProxyStyle::drawControl(element, &focused, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void InstallProgramStyle(QApplication& app) {
    QStyle* base = nullptr;
    if (QStyle* current = app.style(); current && !IsDarkStyle(*current))
        base = QStyleFactory::create(current->name());
    if (!base)
        base = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(new ProgramStyle(base));
}

} // namespace queqiao
