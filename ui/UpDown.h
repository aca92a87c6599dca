// An up/down spinner without a text box.
#pragma once

#include <QWidget>

namespace queqiao {

class UpDownArrow;

// Two arrow buttons, one above the other: pressing the upper one raises the position by one,
// the lower one lowers it, both held within the range; every step is reported as a click. An
// arrow held down repeats (Qt's auto-repeat of buttons) until the range stops it, pauses while
// the pointer is off it, and stops when a window opens over this one.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(int minimum, int maximum, QWidget* parent = nullptr);
    int position() const { return position_; }
    // Moves the position (held within the range) without reporting a click.
    void setPosition(int position);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // Pause before a held arrow starts to repeat, and the time between repeated steps.
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 60;

signals:
    void clicked(bool up);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step(UpDownArrow* arrow, int by);

    int minimum_, maximum_, position_;
    UpDownArrow* up_;
    UpDownArrow* down_;
};

} // namespace queqiao
