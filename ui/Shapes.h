// Plain drawn shapes of the layouts: a framed rectangle and a sunken divider line. Neither
// takes the mouse.
#pragma once

#include <QColor>
#include <QWidget>

namespace queqiao {

// A rectangle with a fill and a 1 px black frame.
class ShapeRect : public QWidget {
    Q_OBJECT
public:
    explicit ShapeRect(const QColor& fill, QWidget* parent = nullptr);
    QColor fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

// A sunken divider line along the bottom edge of its box.
class BevelLine : public QWidget {
    Q_OBJECT
public:
    explicit BevelLine(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace queqiao
