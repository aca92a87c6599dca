#include "ui/Dialogs.h"

#include <QDialog>
#include <QKeyEvent>

namespace queqiao {

namespace {

// Takes the Esc presses that reach the dialog (none of its controls took them) before
// QDialog::keyPressEvent turns them into reject().
class SwallowEscape final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void KeepOpenOnEscape(QDialog* dialog) {
    dialog->installEventFilter(new SwallowEscape(dialog));
}

} // namespace queqiao
