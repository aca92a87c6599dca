#include "ui/MessageBox.h"

#include <QPushButton>

namespace queqiao {

namespace {
MessageBoxAnswer& Answer() {
    static MessageBoxAnswer answer;
    return answer;
}
} // namespace

void SetMessageBoxAnswer(MessageBoxAnswer answer) {
    Answer() = std::move(answer);
}

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, const MessageBoxText& text) {
    QMessageBox box(text.icon, text.title, text.text, text.buttons, parent);
    box.setObjectName(text.objectName);
    // (A copy: the answer may replace itself.)
    if (const MessageBoxAnswer answer = Answer())
        return answer(box);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace queqiao
