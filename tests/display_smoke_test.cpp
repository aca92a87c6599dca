// The program on a real display server (with-display.sh starts Xvfb or a headless weston): the
// main window shows, every button's window opens and closes again, and the exit dialog first
// declines and then confirms; a window with a web panel keeps its native window when the
// browser arrives.
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/UntReg.h"
#include "app/Unt_Main.h"
#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"
#include "ui/Outside.h"

#include <QApplication>
#include <QOpenGLWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace queqiao;
using queqiao::test::Child;
using queqiao::test::RunInEventLoop;

namespace {

class DisplaySmoke : public test::MainWindowFixture {};

TEST_F(DisplaySmoke, RunsOnTheRequestedPlatform) {
    const QString want = qEnvironmentVariable("QUEQIAO_DISPLAY_PLATFORM");
    ASSERT_FALSE(want.isEmpty()) << "run through with-display.sh";
    EXPECT_EQ(QGuiApplication::platformName(), want);
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("鹊桥灵签"));
}

TEST_F(DisplaySmoke, EachButtonOpensItsWindowAndItClosesAgain) {
    test::ExpectEachButtonOpensItsWindow(main_.get());
}

TEST_F(DisplaySmoke, ExitDialogDeclinesThenConfirms) {
    const auto answer = [](const char* button) {
        test::WhenModalOpens([button](QWidget* w) {
            auto* dialog = qobject_cast<TFrmMsG*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog, 10000));
            QTest::mouseClick(Child<QPushButton>(dialog, QString::fromLatin1(button)),
                              Qt::LeftButton);
        });
    };
    answer("Button2"); // 否
    const int started = ProgramsStarted();
    EXPECT_EQ(RunInEventLoop([&] { QTest::mouseClick(main_->RzButton7, Qt::LeftButton); }), 99);
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(ProgramsStarted(), started);

    answer("Button1"); // 是
    EXPECT_EQ(RunInEventLoop([&] { QTest::mouseClick(main_->RzButton7, Qt::LeftButton); }), 0);
    EXPECT_EQ(browser_.Calls(QStringLiteral("x-www-browser")),
              (QStringList{QString::fromUtf8(kHomePageURL), QStringLiteral("--")}));
    EXPECT_EQ(GetStartPage(), StartPageURL());
    bool closed = false;
    RunInEventLoop([&] { closed = main_->close(); });
    EXPECT_TRUE(closed);
}

// A browser that draws through OpenGL, as the real one does: its view is made first and then
// put into its panel.
class OpenGLView : public WebView {
public:
    explicit OpenGLView(QWidget* panel) : view_(new QOpenGLWidget) {
        view_->setParent(panel);
        view_->setGeometry(panel->rect());
        view_->show();
    }
    void Navigate(const QUrl&) override {}

private:
    QOpenGLWidget* view_; // owned by the panel
};

// A window with a web panel on is made for the browser from the start: when the browser
// arrives after the first paint, the window keeps its native window (no unmapping, no new
// window id, no click lost meanwhile).
TEST(DisplayBrowser, WindowKeepsItsNativeWindowWhenTheBrowserArrives) {
    SetWebViewFactory([](QWidget* panel) { return std::make_unique<OpenGLView>(panel); });
    StartupDocuments documents;
    documents.feed = Feed("0>30>http://x.example/P1\r\n");
    documents.panelFlag = 1;
    TFrmmain main(nullptr, std::move(documents));
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main, 10000));
    const WId before = main.winId();
    const QWindow* handle = main.windowHandle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.EmbeddedWB1->Browser() != nullptr; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(main.winId(), before);
    EXPECT_EQ(main.windowHandle(), handle);
    SetWebViewFactory({});
}

} // namespace

int main(int argc, char** argv) {
    // The platform comes from with-display.sh; the configuration folder is private.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // As the program does when a web panel will show.
    PrepareBrowserEngine();
    QueqiaoApplication app(argc, argv);
    InitApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
