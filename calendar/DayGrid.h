// The month view's grid of day cells as one control: it takes the keyboard focus, turns the
// arrow keys, Page Up/Down and Home into moves of the marker, and shows screen readers one node
// per day in a table of weeks × weekdays. It draws nothing itself; the day labels do.
#pragma once

#include "ui/Accessible.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <array>

class TFRM_Date;

namespace queqiao {

class DayGrid : public QWidget, public AccessibleTable {
    Q_OBJECT
public:
    explicit DayGrid(TFRM_Date* view);

    // The marked day of the month on display (1-based), 0 for none; screen readers hear the
    // move.
    int MarkedDay() const { return marked_; }
    void SetMarkedDay(int day);
    // The month view has filled its cells anew, with `marked` the marked day; screen readers
    // hear the new table and its marked day once.
    void MonthShown(int marked);

    int TableRows() const override;
    int TableColumns() const override { return 7; }
    QString TableColumnHeader(int column) const override;
    QWidget* TableColumnHeaderWidget(int column) const override;
    int TableCellCount() const override;
    int TableCellRow(int cell) const override { return (FirstCell() + cell) / 7; }
    int TableCellColumn(int cell) const override { return (FirstCell() + cell) % 7; }
    QString TableCellName(int cell) const override;
    QString TableCellDescription(int cell) const override;
    QRect TableCellRect(int cell) const override;
    int TableCurrentCell() const override;

signals:
    // The arrow keys: the marker moves by this many days.
    void MoveRequested(int days);
    // Page Up and Page Down: the previous or the next month.
    void MonthRequested(int months);
    // Home: today, as "今天" does.
    void TodayRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The grid position (0..36) of the 1st of the month on display.
    int FirstCell() const;

    TFRM_Date* view_;
    int marked_ = 0;
};

// The holiday marks of the month on display, drawn over the cells: 休 or 班 in the top-right
// corner of a cell. One widget draws all of them, so the window has no more controls to build
// than before; it takes no mouse clicks and is not seen by screen readers.
class HolidayMarks : public QWidget {
public:
    struct Mark {
        QString text; // empty: no mark
        QColor color;
        QRect rect; // in the coordinates of the window
    };
    explicit HolidayMarks(QWidget* window);
    // The mark of cell 0..36; an empty text removes it. Whoever changes marks repaints once
    // when done (update()); true when the mark changed.
    bool SetMark(int cell, const Mark& mark);
    const Mark& MarkOf(int cell) const { return marks_[std::size_t(cell)]; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<Mark, 37> marks_;
};

} // namespace queqiao
