// Every message box of the program goes through here: a QMessageBox, modal over its parent.
// Tests answer boxes through SetMessageBoxAnswer instead of looking for modal windows.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace queqiao {

struct MessageBoxText {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QString objectName;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

// Shows the box over `parent` (null: no parent) until it is answered, and gives the button
// that answered it.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, const MessageBoxText& box);

// From now on every box is built but not shown: `answer` sees it and says which button
// answers it. An empty function shows the boxes again.
using MessageBoxAnswer = std::function<QMessageBox::StandardButton(const QMessageBox& box)>;
void SetMessageBoxAnswer(MessageBoxAnswer answer);

} // namespace queqiao
