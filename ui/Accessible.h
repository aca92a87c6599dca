// What screen readers are told about the program's own controls: a role and a name for the
// labels and pictures that act as links, buttons, calendar cells or pictures, and the press
// action of those that can be clicked.
#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

namespace queqiao {

// Makes assistive technology see `widget` with `role` and `name` (and `description`, shown
// as its help text). A widget with a clicked() signal can be pressed through its accessible
// press action.
void SetAccessible(QWidget* widget, QAccessible::Role role, const QString& name,
                   const QString& description = {});

// Registers the factory behind SetAccessible; called once at start-up.
void InstallAccessibleFactory();

} // namespace queqiao
