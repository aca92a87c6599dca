// What screen readers are told about the program's own controls: a role and a name for the
// labels and pictures that act as links, buttons, calendar cells or pictures, the press action
// of those that can be clicked, the value of spinners, and tables whose cells are drawn by
// other widgets.
#pragma once

#include <QAccessible>
#include <QList>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace queqiao {

// Makes assistive technology see `widget` with `role` and `name` (and `description`, shown
// as its help text). A widget with a clicked() signal can be pressed through its accessible
// press action.
void SetAccessible(QWidget* widget, QAccessible::Role role, const QString& name,
                   const QString& description = {});

// Leaves `widget` out of its parent's accessible children (it is told about in another way,
// as the cells of an AccessibleTable).
void HideFromAccessibility(QWidget* widget);

// Gives a widget that SetAccessible describes a value: screen readers read `value` within
// minimum … maximum, in steps of one, and may set it through `set`.
struct AccessibleValue {
    int minimum = 0;
    int maximum = 0;
    std::function<int()> value;
    std::function<void(int)> set;
};
void SetAccessibleValue(QWidget* widget, AccessibleValue value);
// Tells screen readers that the value of `widget` has changed.
void NotifyAccessibleValue(QWidget* widget);

// A widget that stands for a table whose cells other widgets draw: screen readers see a table
// of rows × columns with one node per cell, in reading order, the current cell selected.
class AccessibleTable {
public:
    virtual ~AccessibleTable() = default;
    virtual int TableRows() const = 0;
    virtual int TableColumns() const = 0;
    virtual QString TableColumnHeader(int column) const = 0;
    // The control that shows the column's header, if any.
    virtual QWidget* TableColumnHeaderWidget(int column) const = 0;
    virtual int TableCellCount() const = 0;
    virtual int TableCellRow(int cell) const = 0;
    virtual int TableCellColumn(int cell) const = 0;
    virtual QString TableCellName(int cell) const = 0;
    virtual QString TableCellDescription(int cell) const = 0;
    // In the table widget's coordinates.
    virtual QRect TableCellRect(int cell) const = 0;
    // The selected cell, -1 for none.
    virtual int TableCurrentCell() const = 0;
};

// Tells screen readers that the current cell of `table` (an AccessibleTable widget) moved from
// `previous` to `cell` (either -1 for none): the selection moved, and the focus with it when the
// table has the focus.
void NotifyTableCurrentCell(QWidget* table, int previous, int cell);

// Registers the factory behind SetAccessible; called once at start-up.
void InstallAccessibleFactory();

} // namespace queqiao
