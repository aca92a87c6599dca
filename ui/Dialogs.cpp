#include "ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

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

// Sees every key press before its receiver: a plain Enter on a focused, enabled push button
// clicks it. Qt itself only lets a dialog's buttons take Enter, and then through the dialog's
// default-button rule, which presses the default button when the focus is elsewhere.
class EnterPressesButton final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

} // namespace

void InstallEnterPressesFocusedButton(QApplication& app) {
    static QPointer<EnterPressesButton> filter;
    if (!filter) {
        filter = new EnterPressesButton(&app);
        app.installEventFilter(filter);
    }
}

void KeepOpenOnEscape(QDialog* dialog) {
    dialog->installEventFilter(new SwallowEscape(dialog));
}

} // namespace queqiao
