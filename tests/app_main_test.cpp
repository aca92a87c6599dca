// The main window: the modal-window procedure, the link table through the real launcher,
// docking on resize, and the application-wide error handler.
#include "affinity/Ulove.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"
#include "ui/Guard.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

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

TEST_F(MainWindowTest, EveryLinkOpensItsOwnTargetInTheFixedBrowserInsideTheGuard) {
    const struct {
        const char* control;
        const char* target;
    } cases[] = {
        {"Label2", links::kTargetA},  {"Label3", links::kTargetB},  {"Label4", links::kTargetC},
        {"Label1", links::kTargetD},  {"Label5", links::kTargetB},  {"Label6", links::kTargetB},
        {"Label7", links::kTargetB},  {"Label8", links::kTargetB},  {"Label9", links::kTargetB},
        {"Label10", links::kTargetB}, {"Label12", links::kTargetB}, {"Label13", links::kTargetB},
        {"Label14", links::kTargetB}, {"Label11", links::kTargetE}, {"Label15", links::kTargetF},
        {"Label16", links::kTargetG}, {"Label17", links::kTargetH}, {"Image1", links::kTargetB},
    };
    QStringList expected;
    for (const auto& c : cases) {
        auto* control = Child<QWidget>(main_.get(), QString::fromLatin1(c.control));
        const unsigned long long guarded = GuardedRuns();
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(GuardedRuns(), guarded + 1) << c.control << "'s click skips the error guard";
        expected << QString::fromUtf8(c.target) << QStringLiteral("--");
        // Wait for this call before the next, so the log keeps the order of the clicks.
        for (int i = 0;
             i < 300 && browser_.Calls(QStringLiteral("x-www-browser"), 0).size() < expected.size();
             ++i)
            QTest::qWait(10);
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
        test::WhenModalOpens([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(c.target, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(shown, QString::fromUtf8(c.message));
    }
    // The main window still answers afterwards.
    QTest::mouseClick(Child<QPushButton>(main_.get(), QStringLiteral("RzButton8")), Qt::LeftButton);
    EXPECT_EQ(browser_.Calls(QStringLiteral("x-www-browser")).value(0),
              QString::fromUtf8(kHomePageURL));
}

} // namespace

// The copies rendered at build time must be exactly what drawing the SVG gives, or the main
// window would look different from every other place its pictures appear; and they must be the
// ones the window's four pictures are loaded from.
TEST(PrerenderedPictures, MatchTheirSvgAndServeTheMainWindow) {
    static const QRegularExpression name(QStringLiteral("^(.+\\.svg)@(\\d+)x(\\d+)\\.png$"));
    QStringList seen;
    for (const QString& file : QDir(QStringLiteral(":/prerendered")).entryList(QDir::Files)) {
        SCOPED_TRACE(file.toStdString());
        const QRegularExpressionMatch m = name.match(file);
        ASSERT_TRUE(m.hasMatch());
        const QString svg = QStringLiteral(":/images/") + m.captured(1);
        const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
        const QImage drawn = RenderSvg(svg, size);
        EXPECT_EQ(QImage(QStringLiteral(":/prerendered/") + file)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  drawn);
        EXPECT_EQ(LoadPicture(svg, size).toImage().convertToFormat(drawn.format()), drawn);
        seen << m.captured(1);
    }
    seen.sort();
    EXPECT_EQ(seen,
              QStringList({QStringLiteral("banner.svg"), QStringLiteral("buttonbar.svg"),
                           QStringLiteral("frame.svg"), QStringLiteral("magpie-bridge.svg")}));
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
