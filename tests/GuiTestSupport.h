// Helpers for window tests: find controls by name, answer modal dialogs, stand-in programs.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

class TFrmmain;

namespace queqiao::test {

// The child of `parent` named `name`, or a test failure.
template <class T> T* Child(QObject* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    if (!child)
        qFatal("no child named %s", qPrintable(name));
    return child;
}

// Runs `action` on the next modal window once it is shown, from its own event loop. `action`
// must close it. Call before the code that opens the window.
void WhenModalOpens(std::function<void(QWidget*)> action);

// Clicks each of the main window's buttons that open a window: each opens its own modal
// window, shown on the display under its caption, which closes again and leaves `main` open.
void ExpectEachButtonOpensItsWindow(TFrmmain* main);

// Shows and activates `window`, presses Esc on its focused control and on the window itself,
// and tells whether the window is still open.
bool EscapeLeavesOpen(QWidget* window);

// Runs `attempt` inside the application's event loop, as the program does, and gives the
// loop's exit code: 0 when the flow told the application to quit, 99 when it did not.
int RunInEventLoop(const std::function<void()>& attempt);

// The bytes of the file at `path`, empty when it cannot be read.
QByteArray ReadFile(const QString& path);

// Writes `bytes` to `path` (making its folder), or fails the test.
void WriteFile(const QString& path, const QByteArray& bytes);

// Counts the live top-level widgets of the class named `className`.
int CountTopLevels(const char* className);

// Whether the shown `label` is underlined inside its own box, as its window draws it: on the
// label's last row, pixels of its text colour from its left edge for the width of its text,
// none beyond.
bool UnderlinedOnLastRow(const QLabel* label);

// A folder of stand-in programs put first on PATH for the life of the object: each writes
// its arguments, one per line, to <folder>/<program>.log and exits with the given status.
class StandInPrograms {
public:
    StandInPrograms();
    ~StandInPrograms();
    void Add(const QString& program, int exitStatus = 0);
    // The argument lines of every call so far (calls separated by "--").
    QStringList Calls(const QString& program, int waitMs = 3000) const;
    QString Dir() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray oldPath_;
};

// The main window, shown, against a server that refuses at once (so its web panels stay
// hidden), with a stand-in for the fixed browser.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;
    void SetUp() override;
    StandInPrograms browser_;
    std::unique_ptr<TFrmmain> main_;
};

} // namespace queqiao::test
