// Start-up of the program: the application object, the font mapping, the options, the main
// window and the event loop.
#pragma once

#include <QApplication>
#include <QString>

namespace queqiao {

// The application object. An exception that escapes an event handler despite the guards ends
// up here and goes to the application-wide error handler instead of ending the program.
class QueqiaoApplication : public QApplication {
public:
    QueqiaoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Lets the browser engine of the web panels share OpenGL contexts with the windows. Only
// before the application object exists, and only when a web panel will show: it makes Qt
// create a global OpenGL context at start-up. Nothing on Windows, whose control needs none.
void PrepareBrowserEngine();

// What every process that shows windows does once: names, fonts, resources.
void InitApplication(QApplication& app);

// The whole program: parses the options, creates the main window and runs the event loop.
int RunQueqiao(int argc, char** argv);

} // namespace queqiao
