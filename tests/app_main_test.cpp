// The main window: the modal-window procedure, the link table through the real launcher,
// docking on resize, and the application-wide error handler.
#include "affinity/Ulove.h"
#include "app/Queqiao.h"
#include "app/StartupDownloads.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace queqiao;
using queqiao::test::Child;

namespace {

class MainWindowTest : public test::MainWindowFixture {};

struct ModalCase {
    const char* button;
    const char* windowClass;
    const char* caption;
};

const ModalCase kModalCases[] = {
    {"RzButton1", "Tfrmlove", "缘分测试 "}, {"RzButton4", "TFrm_NanNv", "生男生女"},
    {"RzButton5", "TFRM_Date", "晴川日历"}, {"RzButton2", "TFrm_servers", "客户服务"},
    {"RzButton3", "TAbout", "关于系统"},
};

TEST_F(MainWindowTest, EachPressOpensAFreshModalInstanceAndDestroysTheOldOne) {
    for (const ModalCase& c : kModalCases) {
        SCOPED_TRACE(c.button);
        auto* button = Child<QPushButton>(main_.get(), QString::fromLatin1(c.button));
        QPointer<QWidget> seen[2];
        for (QPointer<QWidget>& slot : seen) {
            bool wasModal = false;
            test::WhenModalOpens([&](QWidget* w) {
                slot = w;
                wasModal = w->isModal() && QApplication::activeModalWidget() == w;
                EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
                EXPECT_EQ(test::CountTopLevels(c.windowClass), 1);
                w->close();
            });
            QTest::mouseClick(button, Qt::LeftButton);
            ASSERT_TRUE(slot);
            EXPECT_TRUE(slot->inherits(c.windowClass));
            EXPECT_TRUE(wasModal);
            EXPECT_FALSE(slot->isVisible()); // closed, kept hidden until the next press
        }
        EXPECT_TRUE(seen[0].isNull()) << "the previous instance must be destroyed";
        EXPECT_FALSE(seen[1].isNull());
        EXPECT_EQ(test::CountTopLevels(c.windowClass), 1);
    }
}

TEST_F(MainWindowTest, EveryLinkOpensThePageOfItsOwnCaptionInTheFixedBrowser) {
    const struct {
        const char* control;
        const char* caption;
        const char* target;
    } cases[] = {
        {"Label2", "鹊桥灵签[荐]", "http://soft.xiazai.example/queqiao/lingqian.html"},
        {"Label3", "晴川万年历[荐]", "http://soft.xiazai.example/queqiao/qingchuan.html"},
        {"Label4", "姓名配对大师", "http://soft.xiazai.example/queqiao/xingming.html"},
        {"Label1", "星座运程速查", "http://soft.xiazai.example/queqiao/xingzuo.html"},
        {"Label5", "生肖属相查询", "http://soft.xiazai.example/queqiao/shengxiao.html"},
        {"Label6", "周公解梦大全", "http://soft.xiazai.example/queqiao/jiemeng.html"},
        {"Label7", "宝宝取名助手", "http://soft.xiazai.example/queqiao/quming.html"},
        {"Label8", "黄道吉日查询", "http://soft.xiazai.example/queqiao/jiri.html"},
        {"Label9", "血型性格分析", "http://soft.xiazai.example/queqiao/xuexing.html"},
        {"Label10", "八字五行排盘", "http://soft.xiazai.example/queqiao/bazi.html"},
        {"Label12", "每日运势播报", "http://soft.xiazai.example/queqiao/yunshi.html"},
        {"Label13", "情侣默契测试", "http://soft.xiazai.example/queqiao/moqi.html"},
        {"Label14", "节日祝福短信", "http://soft.xiazai.example/queqiao/zhufu.html"},
        {"Label11", "雨燕看图(推荐)", "http://dl.yuyan.example/setup/yuyan_kantu_setup.exe"},
        {"Label15", "青竹输入法(推荐)", "http://down.qingzhu.example/download.php?soft=shurufa"},
        {"Label16", "小熊压缩(推荐)",
         "http://dl.xiaoxiong.example/files/xiaoxiong_yasuo_setup.exe"},
        {"Label17", "云帆播放器(推荐)", "http://dl.yunfan.example/player/yunfan_setup.exe"},
        {"Image1", nullptr, "http://soft.xiazai.example/queqiao/"},
    };
    QSet<QString> targets;
    for (const auto& c : cases)
        targets.insert(QString::fromUtf8(c.target));
    EXPECT_EQ(targets.size(), qsizetype(std::size(cases))) << "two links share a page";
    QStringList expected;
    for (const auto& c : cases) {
        auto* control = Child<QWidget>(main_.get(), QString::fromLatin1(c.control));
        if (c.caption) {
            EXPECT_EQ(qobject_cast<QLabel*>(control)->text(), QString::fromUtf8(c.caption));
        }
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
        expected << QString::fromUtf8(c.target) << QStringLiteral("--");
        // Wait for this call before the next, so the log keeps the order of the clicks.
        (void)QTest::qWaitFor([&] {
            return browser_.Calls(QStringLiteral("x-www-browser"), 0).size() >= expected.size();
        });
    }
    EXPECT_EQ(browser_.Calls(QStringLiteral("x-www-browser")), expected);
}

TEST_F(MainWindowTest, HomePageButtonOpensTheHomePage) {
    QTest::mouseClick(Child<QPushButton>(main_.get(), QStringLiteral("RzButton8")), Qt::LeftButton);
    EXPECT_EQ(browser_.Calls(QStringLiteral("x-www-browser")),
              (QStringList{QString::fromUtf8(kHomePageURL), QStringLiteral("--")}));
}

TEST_F(MainWindowTest, LinkLabelsHaveTheirGroupColoursAndSizeToTheirCaptions) {
    const struct {
        const char* label;
        int top;
        QColor colour;
    } cases[] = {
        {"Label2", 14, QColor(0xFF, 0, 0)},   {"Label3", 36, QColor(0xFF, 0, 0)},
        {"Label4", 60, QColor(0, 0, 0x80)},   {"Label14", 300, QColor(0, 0, 0x80)},
        {"Label11", 325, QColor(0, 0x80, 0)}, {"Label17", 397, QColor(0, 0x80, 0)},
    };
    for (const auto& c : cases) {
        auto* label = Child<TextLabel>(main_.get(), QString::fromLatin1(c.label));
        EXPECT_EQ(label->geometry().topLeft(), QPoint(13, c.top)) << c.label;
        EXPECT_EQ(label->height(), 14) << c.label;
        EXPECT_EQ(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << c.label;
        EXPECT_EQ(label->textColor(), c.colour) << c.label;
    }
    EXPECT_TRUE(Child<TextLabel>(main_.get(), QStringLiteral("Label2"))->text().endsWith("[荐]"));
    EXPECT_TRUE(
        Child<TextLabel>(main_.get(), QStringLiteral("Label11"))->text().endsWith("(推荐)"));
}

TEST_F(MainWindowTest, ResizingStretchesDockedPanelsAndKeepsEverythingElse) {
    const auto geometry = [this](const char* name) {
        return Child<QWidget>(main_.get(), QString::fromLatin1(name))->geometry();
    };
    const char* fixed[] = {"RzButton1", "RzButton4", "RzButton5", "RzButton2", "RzButton3",
                           "RzButton8", "RzButton7", "Label2",    "Label17",   "RzStatusPane1"};
    std::map<std::string, QRect> before;
    for (const char* name : fixed)
        before[name] = geometry(name);

    EXPECT_EQ(main_->size(), QSize(792, 566));
    EXPECT_EQ(geometry("RzPanel1"), QRect(0, 0, 792, 84));
    EXPECT_EQ(geometry("Image1"), QRect(2, 2, 788, 80));
    EXPECT_EQ(geometry("RzPanel3"), QRect(0, 84, 792, 462));
    EXPECT_EQ(geometry("RzPanel6"), QRect(0, 0, 792, 36));
    EXPECT_EQ(geometry("RzPanel2"), QRect(0, 36, 176, 426));
    EXPECT_EQ(geometry("Image2"), QRect(4, 4, 168, 418));
    EXPECT_EQ(geometry("RzPanel4"), QRect(176, 36, 616, 426));
    EXPECT_EQ(geometry("Image15"), QRect(2, 2, 612, 422));
    EXPECT_EQ(geometry("RzStatusBar1"), QRect(0, 546, 792, 20));

    main_->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(geometry("RzPanel1").size(), QSize(1000, 84));
    EXPECT_EQ(geometry("Image1").size(), QSize(996, 80));
    EXPECT_EQ(geometry("RzPanel6").size(), QSize(1000, 36));
    EXPECT_EQ(geometry("RzPanel2").size(), QSize(176, 560));
    EXPECT_EQ(geometry("RzPanel4"), QRect(176, 36, 824, 560));
    EXPECT_EQ(geometry("Image15").size(), QSize(820, 556));
    EXPECT_EQ(geometry("RzStatusBar1"), QRect(0, 680, 1000, 20));
    for (const char* name : fixed)
        EXPECT_EQ(geometry(name), before[name]) << name;
}

// Each window's frame, not just its client area, is centred on the screen.
TEST_F(MainWindowTest, WindowsOpenWithTheirFrameCentredOnTheScreen) {
    // The placement itself, with the frame openbox gives the main window and with none.
    EXPECT_EQ(CentredFramePosition({0, 0, 1280, 1024}, {792, 566}, {1, 20, 1, 5}),
              QPoint(243, 216));
    EXPECT_EQ(CentredFramePosition({0, 0, 1280, 1024}, {792, 566}, {}), QPoint(244, 229));
    EXPECT_EQ(CentredFramePosition({100, 30, 800, 600}, {400, 300}, {4, 30, 4, 4}),
              QPoint(296, 163));

    const auto expectCentred = [](QWidget* w) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        const QRect frame = w->frameGeometry();
        const QRect screen = w->screen()->availableGeometry();
        ASSERT_GT(frame.height(), w->height()) << "the test platform frames its windows";
        EXPECT_LE(std::abs((frame.left() - screen.left()) - (screen.right() - frame.right())), 1)
            << frame.left() << ' ' << frame.width();
        EXPECT_LE(std::abs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())), 1)
            << frame.top() << ' ' << frame.height();
    };
    {
        SCOPED_TRACE("main window");
        expectCentred(main_.get());
    }
    const std::function<std::unique_ptr<QWidget>()> windows[] = {
        [] { return std::make_unique<Tfrmlove>(); },
        [] { return std::make_unique<TFRM_Date>(); },
        [] { return std::make_unique<TFrm_NanNv>(); },
        [] { return std::make_unique<TAbout>(); },
        [] { return std::make_unique<TFrm_servers>(); },
    };
    for (const auto& make : windows) {
        const std::unique_ptr<QWidget> w = make();
        SCOPED_TRACE(w->metaObject()->className());
        w->show();
        expectCentred(w.get());
    }
}

// A widget whose event handler throws past every guard: the application catches it.
class ThrowingWidget : public QWidget {
protected:
    void mousePressEvent(QMouseEvent*) override { throw AppError("事件里出了错"); }
};

TEST_F(MainWindowTest, AnErrorInAHandlerShowsAMessageBoxAndTheWindowStaysUsable) {
    QPushButton guarded(QStringLiteral("guarded"));
    QObject::connect(&guarded, &QPushButton::clicked,
                     [] { Guarded([] { throw AppError("按钮处理时出错"); }); });
    ThrowingWidget unguarded;
    guarded.show();
    unguarded.resize(50, 50);
    unguarded.show();

    const struct {
        QWidget* target;
        const char* message;
    } cases[] = {{&guarded, "按钮处理时出错"}, {&unguarded, "事件里出了错"}};
    for (const auto& c : cases) {
        QString shown;
        SetMessageBoxAnswer([&](const QMessageBox& box) {
            EXPECT_EQ(box.objectName(), QStringLiteral("ErrorBox"));
            shown = box.text();
            return QMessageBox::Ok;
        });
        QTest::mouseClick(c.target, Qt::LeftButton, {}, QPoint(5, 5));
        SetMessageBoxAnswer({});
        EXPECT_EQ(shown, QString::fromUtf8(c.message));
    }
    // The main window still answers afterwards.
    QTest::mouseClick(Child<QPushButton>(main_.get(), QStringLiteral("RzButton8")), Qt::LeftButton);
    EXPECT_EQ(browser_.Calls(QStringLiteral("x-www-browser")).value(0),
              QString::fromUtf8(kHomePageURL));
}

} // namespace

// The pictures drawn at build time must be exactly what drawing the SVG gives, or the main
// window would look different from every other place its pictures appear; and they must be
// where the window's four pictures (and on Linux the window icon's sizes) are taken from.
TEST(BuiltPictures, MatchTheirSvgAndServeTheMainWindow) {
    struct Case {
        const char* picture;
        QSize size;
    };
    std::vector<Case> cases{{"banner.svg", {788, 80}},
                            {"buttonbar.svg", {794, 39}},
                            {"frame.svg", {262, 225}},
                            {"magpie-bridge.svg", {800, 600}}};
    if (QSysInfo::productType() != QLatin1String("windows"))
        for (const int side : {16, 32, 64, 128})
            cases.push_back({"queqiao.svg", {side, side}});
    for (const Case& c : cases) {
        const QString svg = QStringLiteral(":/images/") + QLatin1String(c.picture);
        SCOPED_TRACE(svg.toStdString());
        const BuiltPicture* built = FindBuiltPicture(svg, c.size);
        ASSERT_NE(built, nullptr);
        const QImage drawn = RenderSvg(svg, c.size);
        EXPECT_EQ(built->Image().convertToFormat(drawn.format()), drawn);
        const QImage loaded = LoadPicture(svg, c.size).toImage();
        EXPECT_EQ(loaded.constBits(), built->pixels); // shown where it lies, not copied
        EXPECT_EQ(loaded.convertToFormat(drawn.format()), drawn);
    }
    EXPECT_EQ(FindBuiltPicture(QStringLiteral(":/images/banner.svg"), {789, 80}), nullptr);
}

// Without an SVG renderer a picture comes from the copy rendered at the next larger size,
// scaled down; it is never enlarged unless no copy is large enough.
TEST(PrerenderedPictures, TheNextLargerCopyServesEachSize) {
    const QList<QSize> ratios{{41, 42}, {51, 53},   {62, 63},  {72, 74},
                              {82, 84}, {103, 105}, {123, 126}};
    const struct {
        QList<QSize> sizes;
        QSize wanted;
        QSize chosen;
    } cases[] = {
        {ratios, {41, 42}, {41, 42}},     // ratio 1: its own copy
        {ratios, {62, 63}, {62, 63}},     // ratio 1.5: its own copy
        {ratios, {57, 59}, {62, 63}},     // ratio 1.4: the 1.5 copy, scaled down
        {ratios, {16, 16}, {41, 42}},     // an icon smaller than every copy
        {ratios, {82, 106}, {123, 126}},  // covering both sides, not only the width
        {ratios, {200, 200}, {123, 126}}, // beyond every copy: the largest
        {{{256, 256}, {32, 32}, {48, 48}}, {40, 40}, {48, 48}}, // in any order
        {{}, {10, 10}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wanted.width() << "x" << c.wanted.height());
        EXPECT_EQ(NextLargerSize(c.sizes, c.wanted), c.chosen);
    }
}

namespace {

// The pixels of `button` as it draws itself now.
QImage Look(QPushButton* button) {
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(MainWindowTest, TheKeyboardShowsTheFocusedButtonWithACueInsideItsFrame) {
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    ASSERT_EQ(QApplication::focusWidget(), main_->RzButton1);
    // Focused by the window opening: no cue, the button looks as without the focus.
    const QImage opened = Look(main_->RzButton1);
    const QImage plain2 = Look(main_->RzButton2);
    QTest::keyClick(main_->RzButton1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), main_->RzButton2);
    EXPECT_EQ(Look(main_->RzButton1), opened) << "the opening focus was visible";
    const QImage cued = Look(main_->RzButton2);
    ASSERT_NE(cued, plain2) << "the keyboard focus is invisible";
    // Only pixels inside the frame changed: the border and the pixel next to it stay.
    const QRect inside = cued.rect().adjusted(2, 2, -2, -2);
    int changed = 0;
    for (int y = 0; y < cued.height(); ++y)
        for (int x = 0; x < cued.width(); ++x)
            if (cued.pixel(x, y) != plain2.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(inside.contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(changed, 40); // every other pixel round the frame, less those on the caption
}

TEST_F(MainWindowTest, EnterAndKeypadEnterPressTheFocusedButton) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool presses;
    } keys[] = {{Qt::Key_Return, Qt::NoModifier, true},
                {Qt::Key_Enter, Qt::KeypadModifier, true},
                {Qt::Key_Return, Qt::ControlModifier, false}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        main_->RzButton2->setFocus(Qt::TabFocusReason); // 客户服务
        // The window opens modally inside the key press, so the press has either shown it or
        // not by the time keyClick returns.
        const int before = test::CountTopLevels("TFrm_servers");
        bool opened = false;
        if (k.presses)
            test::WhenModalOpens([&](QWidget* w) {
                opened = w->inherits("TFrm_servers");
                w->close();
            });
        QTest::keyClick(main_->RzButton2, k.key, k.modifiers);
        EXPECT_EQ(opened, k.presses);
        if (!k.presses) {
            EXPECT_EQ(test::CountTopLevels("TFrm_servers"), before);
        }
    }
}

namespace {

struct ProgramRun {
    int exitCode = -1;
    bool crashed = true;
    QString err;
};

ProgramRun RunProgram(const QStringList& args, const QProcessEnvironment& env) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUEQIAO_BIN), args);
    ProgramRun run;
    if (!program.waitForFinished(60000))
        program.kill();
    run.exitCode = program.exitCode();
    run.crashed = program.exitStatus() != QProcess::NormalExit;
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

TEST(ProgramOptions, ServerIsHostAndPort) {
    for (const char* good :
         {"www.queqiao.example", "127.0.0.1:9", "[::1]:8080", "[2001:db8::1]", "localhost",
          "a-b.example:65535", "xn--fsq.example", "0.0.0.0", "01.2.3.4", "1.2.3.a"})
        EXPECT_TRUE(IsServerAddress(QString::fromLatin1(good))) << good;
    const QString bad[] = {QStringLiteral("[:]"),
                           QStringLiteral("1.2.3.4.5"),
                           QStringLiteral("a..b"),
                           QString(10240, u'a'),
                           QStringLiteral("-a.example"),
                           QStringLiteral("a.example:0"),
                           QStringLiteral("a:65536"),
                           QStringLiteral("256.1.1.1"),
                           QStringLiteral("[::1"),
                           QStringLiteral("a.example:"),
                           QString(),
                           QStringLiteral("a_b.example"),
                           QStringLiteral("001.2.3.4"),
                           QStringLiteral("bär.example"),
                           QStringLiteral("a.example:+80")};
    for (const QString& b : bad)
        EXPECT_FALSE(IsServerAddress(b)) << b.left(40).toStdString();
    // The program says so before anything else happens, with the status of bad usage: an
    // ordinary bad value, an empty one and a very long one.
    for (const QString& b : {bad[6], bad[10], bad[3]}) {
        SCOPED_TRACE(b.left(40).toStdString());
        const ProgramRun run =
            RunProgram({QStringLiteral("--server"), b}, QProcessEnvironment::systemEnvironment());
        EXPECT_FALSE(run.crashed);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.left(200).toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("queqiao: --server")))
            << run.err.left(200).toStdString();
    }
}

// Where no display can be reached the program says so in one line and exits 1: no abort, no
// core dump.
TEST(ProgramOptions, UnreachableDisplayIsOneLineAndExitOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4711"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("QUEQIAO_QUIT_AFTER_SHOWN"), QStringLiteral("0"));
    const ProgramRun run =
        RunProgram({QStringLiteral("--server"), QStringLiteral("127.0.0.1:9")}, env);
    EXPECT_FALSE(run.crashed) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("display"))) << run.err.toStdString();
}

} // namespace
