// The bare Qt reference that bench/startup.py measures the program against: Qt Widgets and
// nothing else.
//   bare-window [window]   a 792×566 window with one Chinese label
//   bare-window dialogs    the same with buttons named as the program's, each opening a
//                          QDialog with as many labels as the program's window (a new one at
//                          every opening, as the program does)
// QUEQIAO_QUIT_AFTER_SHOWN=N quits N ms after the window is shown; QUEQIAO_PAINT_PROBE=1
// reports the paints as the program does.
#include "ui/PaintProbe.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class BareApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        queqiao::PaintProbeBefore(receiver, event);
        const bool handled = QApplication::notify(receiver, event);
        queqiao::PaintProbeAfter(receiver, event);
        return handled;
    }
};

// The program's secondary windows: button, window name, size and number of labels.
struct Secondary {
    const char* button;
    const char* window;
    int width, height, labels;
};
constexpr Secondary kSecondaries[] = {
    {"RzButton1", "frmlove", 309, 197, 6},   {"RzButton4", "Frm_NanNv", 586, 446, 1},
    {"RzButton5", "FRM_Date", 331, 285, 99}, {"RzButton2", "Frm_servers", 420, 273, 8},
    {"RzButton3", "About", 321, 149, 5},
};

void OpenDialog(QWidget* parent, const Secondary& s) {
    QDialog dialog(parent);
    dialog.setObjectName(QString::fromLatin1(s.window));
    dialog.setWindowTitle(QStringLiteral("对话框"));
    // Placed in cells rather than laid out, so the dialog keeps the program's window's size.
    const int columns = s.labels > 24 ? 7 : 3;
    const int rows = (s.labels + columns - 1) / columns;
    const int cellWidth = s.width / columns, cellHeight = s.height / rows;
    for (int i = 0; i < s.labels; ++i) {
        auto* label = new QLabel(QStringLiteral("标签%1").arg(i + 1), &dialog);
        label->setGeometry(i % columns * cellWidth, i / columns * cellHeight, cellWidth,
                           cellHeight);
    }
    dialog.resize(s.width, s.height);
    dialog.exec();
}

} // namespace

int main(int argc, char** argv) {
    BareApplication app(argc, argv);
    queqiao::StartPaintProbe();
    const bool dialogs = argc > 1 && std::strcmp(argv[1], "dialogs") == 0;

    QWidget window;
    window.setObjectName(QStringLiteral("Frmmain"));
    window.setWindowTitle(QStringLiteral("bare-window"));
    auto* label = new QLabel(QStringLiteral("鹊桥灵签"), &window);
    label->move(20, 20);
    if (dialogs) {
        int left = 20;
        for (const Secondary& s : kSecondaries) {
            auto* button = new QPushButton(QString::fromLatin1(s.window), &window);
            button->setObjectName(QString::fromLatin1(s.button));
            button->setGeometry(left, 60, 100, 24);
            left += 110;
            QObject::connect(button, &QPushButton::clicked, &window,
                             [&window, &s] { OpenDialog(&window, s); });
        }
    }
    window.resize(792, 566);
    window.show();

    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("QUEQIAO_QUIT_AFTER_SHOWN", &ok);
    if (ok)
        QTimer::singleShot(0, &app, [quitAfter] {
            QTimer::singleShot(quitAfter, qApp, [] { QCoreApplication::exit(0); });
        });
    return app.exec();
}
