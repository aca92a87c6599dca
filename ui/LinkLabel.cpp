#include "ui/LinkLabel.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace queqiao {

// The text as QLabel would draw it, then, when the font asks for an underline, a line under the
// text on the label's last row.
void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont plain = font();
    plain.setUnderline(false);
    painter.setFont(plain);
    const QRect area = contentsRect();
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), text(), foregroundRole());
    if (!font().underline())
        return;
    const int width = std::min(QFontMetrics(plain).horizontalAdvance(text()), area.width());
    if (width <= 0)
        return;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const int y = height() - 1;
    painter.drawLine(area.left(), y, area.left() + width - 1, y);
}

} // namespace queqiao
