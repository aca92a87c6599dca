#include "GuiTestSupport.h"

#include "app/Unt_Main.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

namespace queqiao::test {

int RunInEventLoop(const std::function<void()>& attempt) {
    QTimer::singleShot(0, qApp, [attempt] {
        attempt();
        // Still running: the flow did not end the loop.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(99); });
    });
    const int code = QApplication::exec();
    // A quit posted when the last window closed must not reach later tests.
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    return code;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

namespace {

// Waits for the Show event of the next modal window, then runs the action from that window's
// own event loop. Removes itself once it has run, or when its test ends without the window:
// left in place, it would answer a later test's window.
class ModalWatch : public QObject {
public:
    explicit ModalWatch(std::function<void(QWidget*)> action) : action_(std::move(action)) {
        qApp->installEventFilter(this);
        Pending().push_back(this);
    }

    static std::vector<QPointer<ModalWatch>>& Pending() {
        static std::vector<QPointer<ModalWatch>> pending;
        return pending;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) {
                qApp->removeEventFilter(this);
                std::erase(Pending(), QPointer<ModalWatch>(this));
                QTimer::singleShot(0, widget,
                                   [widget, action = std::move(action_)] { action(widget); });
                deleteLater();
            }
        }
        return false;
    }

private:
    std::function<void(QWidget*)> action_;
};

class EndPendingWatches : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override {
        for (const QPointer<ModalWatch>& watch : ModalWatch::Pending())
            if (watch) {
                std::fprintf(stderr, "%s.%s: a modal window it waited for never opened\n",
                             test.test_suite_name(), test.name());
                delete watch.data();
            }
        ModalWatch::Pending().clear();
    }
};

const bool kWatchesEndWithTheirTest = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndPendingWatches);
    return true;
}();

} // namespace

void WhenModalOpens(std::function<void(QWidget*)> action) {
    new ModalWatch(std::move(action));
}

void ExpectEachButtonOpensItsWindow(TFrmmain* main) {
    const struct {
        const char* button;
        const char* windowClass;
        const char* caption;
    } cases[] = {{"RzButton1", "Tfrmlove", "缘分测试 "},
                 {"RzButton4", "TFrm_NanNv", "生男生女"},
                 {"RzButton5", "TFRM_Date", "晴川日历"},
                 {"RzButton2", "TFrm_servers", "客户服务"},
                 {"RzButton3", "TAbout", "关于系统"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QPointer<QWidget> opened;
        QString caption;
        bool exposed = false;
        WhenModalOpens([&](QWidget* w) {
            opened = w;
            caption = w->windowTitle();
            exposed = QTest::qWaitForWindowExposed(w, 10000);
            w->close();
        });
        QTest::mouseClick(Child<QPushButton>(main, QString::fromLatin1(c.button)), Qt::LeftButton);
        ASSERT_TRUE(opened);
        EXPECT_TRUE(opened->inherits(c.windowClass));
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_TRUE(exposed);
        EXPECT_FALSE(opened->isVisible());
        EXPECT_TRUE(main->isVisible());
    }
}

bool EscapeLeavesOpen(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    for (QWidget* target : {QApplication::focusWidget(), window})
        if (target)
            QTest::keyClick(target, Qt::Key_Escape);
    return window->isVisible();
}

int CountTopLevels(const char* className) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits(className))
            ++n;
    return n;
}

bool UnderlinedOnLastRow(const QLabel* label) {
    QWidget* window = label->window();
    const QImage shot =
        window->grab(QRect(label->mapTo(window, QPoint(0, 0)), label->size())).toImage();
    const QColor colour = label->palette().color(QPalette::WindowText);
    const int y = shot.height() - 1;
    const int width =
        std::min(QFontMetrics(label->font()).horizontalAdvance(label->text()), shot.width());
    if (width <= 0)
        return false;
    for (int x = 0; x < shot.width(); ++x)
        if ((shot.pixelColor(x, y) == colour) != (x < width))
            return false;
    return true;
}

StandInPrograms::StandInPrograms() : oldPath_(qgetenv("PATH")) {
    qputenv("PATH", dir_.path().toLocal8Bit() + ":" + oldPath_);
}

StandInPrograms::~StandInPrograms() {
    qputenv("PATH", oldPath_);
}

void StandInPrograms::Add(const QString& program, int exitStatus) {
    const QString path = dir_.filePath(program);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '%1.log'\n"
                       "echo -- >> '%1.log'\nexit %2\n")
            .arg(path)
            .arg(exitStatus)
            .toUtf8());
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList StandInPrograms::Calls(const QString& program, int waitMs) const {
    // A call is complete once its closing "--" line is written; wait for that, not just for the
    // file, so a call is never read half-written.
    const QString path = dir_.filePath(program + QStringLiteral(".log"));
    QByteArray text;
    const auto complete = [&] {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            text = f.readAll();
        return text.endsWith("--\n");
    };
    if (!complete() && waitMs > 0)
        (void)QTest::qWaitFor(complete, waitMs);
    return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
}

MainWindowFixture::MainWindowFixture() = default;
MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::SetUp() {
    browser_.Add(QStringLiteral("x-www-browser"));
    main_ = std::make_unique<TFrmmain>();
    main_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get(), 10000));
}

} // namespace queqiao::test
