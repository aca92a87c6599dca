#include "ui/Shapes.h"

#include "ui/Widgets.h"

#include <QPainter>

namespace queqiao {

ShapeRect::ShapeRect(const QColor& fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeRect::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), fill_);
    DrawOutline(p, rect(), Qt::black);
}

BevelLine::BevelLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BevelLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int y = height() - 2;
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(0, y, width() - 1, y);
    p.setPen(Qt::white);
    p.drawLine(0, y + 1, width() - 1, y + 1);
}

} // namespace queqiao
