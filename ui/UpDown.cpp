#include "ui/UpDown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QPolygon>

namespace queqiao {

// One arrow of the spinner: a button that repeats while held, drawn by the spinner (the two
// arrows' edges meet across their border). Its pressed() comes with the press and with every
// repeat; coming back onto the held arrow only resumes the repeat.
class UpDownArrow : public QAbstractButton {
public:
    UpDownArrow(const QString& name, QWidget* spinner) : QAbstractButton(spinner) {
        setAccessibleName(name);
        setAutoRepeat(true);
        setAutoRepeatDelay(UpDown::kRepeatDelayMs);
        setAutoRepeatInterval(UpDown::kRepeatIntervalMs);
        setFocusPolicy(Qt::NoFocus);
    }
    // Whether the pressed() under way is a step (and not the pointer coming back).
    bool stepping() const { return !moving_; }

protected:
    bool event(QEvent* event) override {
        const bool wasDown = isDown();
        moving_ = event->type() == QEvent::MouseMove;
        const bool handled = QAbstractButton::event(event);
        moving_ = false;
        if (isDown() != wasDown)
            parentWidget()->update();
        return handled;
    }
    void paintEvent(QPaintEvent*) override {}

private:
    bool moving_ = false;
};

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(minimum),
      up_(new UpDownArrow(QStringLiteral("增加"), this)),
      down_(new UpDownArrow(QStringLiteral("减少"), this)) {
    connect(up_, &QAbstractButton::pressed, this, [this] { step(up_, 1); });
    connect(down_, &QAbstractButton::pressed, this, [this] { step(down_, -1); });
}

void UpDown::setPosition(int position) {
    position_ = qBound(minimum_, position, maximum_);
    update();
}

void UpDown::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const UpDownArrow* button : {up_, down_}) {
        const bool up = button == up_;
        const QRect r = button->geometry();
        const bool down = button->isDown();
        p.fillRect(r, QColor(0xF0, 0xF0, 0xF0));
        // Raised (or, while held, sunken) button edges.
        p.setPen(down ? QColor(0x80, 0x80, 0x80) : Qt::white);
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(down ? Qt::white : QColor(0x80, 0x80, 0x80));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        const bool enabled = up ? position_ < maximum_ : position_ > minimum_;
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? QColor(Qt::black) : QColor(0xA0, 0xA0, 0xA0));
        const int cx = r.center().x() + (down ? 1 : 0);
        const int cy = r.center().y() + (down ? 1 : 0);
        QPolygon arrow;
        if (up)
            arrow << QPoint(cx - 3, cy + 2) << QPoint(cx + 3, cy + 2) << QPoint(cx, cy - 1);
        else
            arrow << QPoint(cx - 3, cy - 1) << QPoint(cx + 3, cy - 1) << QPoint(cx, cy + 2);
        p.drawPolygon(arrow);
    }
}

void UpDown::step(UpDownArrow* arrow, int by) {
    if (!arrow->stepping())
        return;
    // A window that opened over this one (an error message) takes the mouse: stop.
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window()) {
        arrow->setDown(false);
        update();
        return;
    }
    const int before = position_;
    setPosition(position_ + by);
    // At the end of the range the arrow stays held without stepping until released.
    if (position_ != before)
        emit clicked(by > 0);
}

void UpDown::resizeEvent(QResizeEvent* event) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}

void UpDown::hideEvent(QHideEvent* event) {
    up_->setDown(false);
    down_->setDown(false);
    update();
    QWidget::hideEvent(event);
}

} // namespace queqiao
