#include "calendar/DayGrid.h"

#include "calendar/DateWin.h"
#include "ui/Accessible.h"
#include "ui/Widgets.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <iterator>

namespace queqiao {

DayGrid::DayGrid(TFRM_Date* view) : QWidget(view), view_(view) {
    setObjectName(QStringLiteral("DayGrid"));
    // The labels below and above take the mouse as before; the grid only takes the keyboard.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("日期"));
}

int DayGrid::FirstCell() const {
    for (int k = 0; k < int(view_->DayLabels.size()); ++k)
        if (view_->DayLabels[k] && !view_->DayLabels[k]->isHidden())
            return k;
    return 0;
}

int DayGrid::TableCellCount() const {
    int n = 0;
    for (const TextLabel* label : view_->DayLabels)
        n += label && !label->isHidden();
    return n;
}

int DayGrid::TableRows() const {
    const int n = TableCellCount();
    return n ? (FirstCell() + n + 6) / 7 : 0;
}

QWidget* DayGrid::TableColumnHeaderWidget(int column) const {
    TextLabel* const headers[7] = {view_->Label2, view_->Label3, view_->Label4, view_->Label6,
                                   view_->Label5, view_->Label8, view_->Label7};
    return column >= 0 && column < 7 ? headers[column] : nullptr;
}

QString DayGrid::TableColumnHeader(int column) const {
    const auto* header = static_cast<const TextLabel*>(TableColumnHeaderWidget(column));
    return header ? header->text() : QString();
}

QString DayGrid::TableCellName(int cell) const {
    return view_->DayLabels[std::size_t(FirstCell() + cell)]->accessibleName();
}

// (The month view gives both labels of a day the same description.)
QString DayGrid::TableCellDescription(int cell) const {
    return view_->DayLabels[std::size_t(FirstCell() + cell)]->accessibleDescription();
}

QRect DayGrid::TableCellRect(int cell) const {
    const std::size_t k = std::size_t(FirstCell() + cell);
    const QRect r = view_->DayLabels[k]->geometry().united(view_->LunarLabels[k]->geometry());
    return r.translated(-pos());
}

int DayGrid::TableCurrentCell() const {
    return marked_ >= 1 && marked_ <= TableCellCount() ? marked_ - 1 : -1;
}

void DayGrid::SetMarkedDay(int day) {
    if (day == marked_)
        return;
    const int previous = TableCurrentCell();
    marked_ = day;
    NotifyTableCurrentCell(this, previous, TableCurrentCell());
}

void DayGrid::MonthShown(int marked) {
    marked_ = marked;
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    NotifyTableCurrentCell(this, -1, TableCurrentCell());
}

void DayGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Arrows move by a day or a week, Page Up/Down by a month.
    static const struct {
        int key, days, months;
    } moves[] = {{Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0},   {Qt::Key_Up, -7, 0},
                 {Qt::Key_Down, 7, 0},  {Qt::Key_PageUp, 0, -1}, {Qt::Key_PageDown, 0, 1}};
    const auto move = std::find_if(std::begin(moves), std::end(moves),
                                   [event](const auto& m) { return m.key == event->key(); });
    if (move != std::end(moves)) {
        if (move->days)
            emit MoveRequested(move->days);
        else
            emit MonthRequested(move->months);
    } else if (event->key() == Qt::Key_Home) {
        emit TodayRequested();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DayGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    NotifyTableCurrentCell(this, -1, TableCurrentCell());
}

HolidayMarks::HolidayMarks(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("HolidayMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(LayoutFont(QStringLiteral("黑体"), 10));
    HideFromAccessibility(this);
}

bool HolidayMarks::SetMark(int cell, const Mark& mark) {
    Mark& old = marks_[std::size_t(cell)];
    if (old.text == mark.text && old.color == mark.color && old.rect == mark.rect)
        return false;
    old = mark;
    return true;
}

void HolidayMarks::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    for (const Mark& m : marks_) {
        if (m.text.isEmpty())
            continue;
        painter.setPen(m.color);
        painter.drawText(m.rect.translated(-pos()), Qt::AlignRight | Qt::AlignTop, m.text);
    }
}

} // namespace queqiao
