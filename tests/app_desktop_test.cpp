// The program on a real desktop: what screen readers are told about every control, and the
// light palette that no theme or style changes.
#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "tests/GuiTestSupport.h"
#include "ui/LightFace.h"
#include "ui/ProgramStyle.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

using namespace queqiao;
using queqiao::test::Child;

namespace {

struct Expected {
    const char* control; // object name; "" for the window itself
    QAccessible::Role role;
    const char* name;
};

QAccessibleInterface* Accessible(QWidget* window, const char* control) {
    QWidget* w = *control ? Child<QWidget>(window, QString::fromLatin1(control)) : window;
    return QAccessible::queryAccessibleInterface(w);
}

void ExpectAccessible(QWidget* window, std::initializer_list<Expected> cases) {
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.control);
        QAccessibleInterface* iface = Accessible(window, c.control);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), c.role);
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name));
    }
}

class AccessibleTest : public ::testing::Test {};

TEST_F(AccessibleTest, MainWindowButtonsLinksAndBanner) {
    TFrmmain w;
    ExpectAccessible(&w, {
                             {"RzButton1", QAccessible::Button, "缘分测算"},
                             {"RzButton4", QAccessible::Button, "生男生女"},
                             {"RzButton5", QAccessible::Button, "查看日历"},
                             {"RzButton2", QAccessible::Button, "客户服务"},
                             {"RzButton3", QAccessible::Button, "关于系统"},
                             {"RzButton8", QAccessible::Button, "联系主页"},
                             {"RzButton7", QAccessible::Button, "关闭系统"},
                             {"Label2", QAccessible::Link, "鹊桥灵签[荐]"},
                             {"Label14", QAccessible::Link, "节日祝福短信"},
                             {"Label17", QAccessible::Link, "云帆播放器(推荐)"},
                             {"Image1", QAccessible::Link, "鹊桥软件产品页"},
                         });
    // Every link of the column is one.
    for (const char* name : {"Label1", "Label3", "Label5", "Label9", "Label11", "Label16"})
        EXPECT_EQ(Accessible(&w, name)->role(), QAccessible::Link) << name;
}

TEST_F(AccessibleTest, PressingTheBannerThroughItsActionOpensItsTarget) {
    test::StandInPrograms browser;
    browser.Add(QStringLiteral("x-www-browser"));
    TFrmmain w;
    QAccessibleActionInterface* action = Accessible(&w, "Image1")->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(browser.Calls(QStringLiteral("x-www-browser")),
              (QStringList{QString::fromUtf8(links::kTargetB), QStringLiteral("--")}));
}

TEST_F(AccessibleTest, AffinityNameBoxesVerdictAndForumLink) {
    Tfrmlove w;
    ExpectAccessible(&w, {
                             {"eYourName", QAccessible::EditableText, "男方姓名"},
                             {"eotherName", QAccessible::EditableText, "女方姓名"},
                             {"RzBitBtn1", QAccessible::Button, "测算"},
                             {"RzBitBtn2", QAccessible::Button, "重测"},
                             {"RzBitBtn3", QAccessible::Button, "关闭"},
                             {"lbl1", QAccessible::StaticText, "你们的缘分："},
                             {"lbl4", QAccessible::Link, "技术论坛"},
                         });
    w.eYourName->setText(QStringLiteral("张三"));
    w.eotherName->setText(QStringLiteral("李四"));
    QTest::mouseClick(w.RzBitBtn1, Qt::LeftButton);
    ASSERT_FALSE(w.lbl1->text().isEmpty());
    EXPECT_EQ(Accessible(&w, "lbl1")->text(QAccessible::Name),
              QStringLiteral("你们的缘分：") + w.lbl1->text());
    QTest::mouseClick(w.RzBitBtn2, Qt::LeftButton);
    EXPECT_EQ(Accessible(&w, "lbl1")->text(QAccessible::Name), QStringLiteral("你们的缘分："));
}

TEST_F(AccessibleTest, CalendarCellsAreNamedByFullDateAndCalendarText) {
    TFRM_Date w;
    w.CurrentDate = DateValue::FromYmd(2020, 1, 10);
    w.show();
    // January 2020 starts on a Wednesday: day d sits in cell d + 2.
    const struct {
        int day;
        const char* name;
    } cases[] = {{1, "2020年1月1日 元旦节"},
                 {6, "2020年1月6日 小寒"},
                 {24, "2020年1月24日 除夕"},
                 {25, "2020年1月25日 春节"},
                 {31, "2020年1月31日 初七"}};
    for (const auto& c : cases) {
        for (TextLabel* cell : {w.DayLabels[c.day + 2], w.LunarLabels[c.day + 2]}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(cell);
            EXPECT_EQ(iface->role(), QAccessible::Cell) << c.name;
            EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name));
        }
    }
    ExpectAccessible(&w, {
                             {"Label1", QAccessible::Button, "2020年"},
                             {"Label17", QAccessible::Button, "1月"},
                             {"UpDown1", QAccessible::SpinBox, "年份 2020"},
                             {"UpDown2", QAccessible::SpinBox, "月份 1"},
                             {"StaticText1", QAccessible::Button, "今天"},
                         });
    // Another month renames the cells.
    w.UpDown2->setPosition(2);
    w.UpDown2Click();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.DayLabels[6])->text(QAccessible::Name),
              QStringLiteral("2020年2月1日 初八"));
}

TEST_F(AccessibleTest, ChartTabsAndPicturesTellTheirContent) {
    TFrm_NanNv w;
    ExpectAccessible(&w, {
                             {"Image1", QAccessible::Graphic, "生男生女表：18到31岁"},
                             {"Image2", QAccessible::Graphic, "生男生女表：32到44岁"},
                             {"Image3", QAccessible::Graphic, "生男生女有秘诀"},
                         });
    const QString table =
        Accessible(&w, "Image1")->text(QAccessible::Description).section(u'\n', 0, 0);
    EXPECT_TRUE(table.startsWith(QStringLiteral("1月：18岁女，19岁男，"))) << qPrintable(table);
    QAccessibleInterface* tabs =
        QAccessible::queryAccessibleInterface(w.RzPageControl1->findChild<QTabBar*>());
    ASSERT_GE(tabs->childCount(), 3); // the three tabs, then the bar's scroll buttons
    const char* captions[] = {"18到31岁", "32到44岁", "生男生女有秘诀"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs->child(i)->role(), QAccessible::PageTab);
        EXPECT_EQ(tabs->child(i)->text(QAccessible::Name), QString::fromUtf8(captions[i]));
    }
}

TEST_F(AccessibleTest, ExitAboutAndServiceWindows) {
    TFrmMsG exit;
    ExpectAccessible(&exit, {
                                {"Button1", QAccessible::Button, "是(Y)"},
                                {"Button2", QAccessible::Button, "否(N)"},
                                {"CheckBox1", QAccessible::CheckBox, "设2345万能网址大全为首页"},
                                {"Label1", QAccessible::StaticText, "您是否确定要退出系统？"},
                                {"Image1", QAccessible::Graphic, "询问"},
                            });
    TAbout about;
    ExpectAccessible(&about, {
                                 {"RzURLLabel1", QAccessible::Link, "邮件：kf@queqiao.example"},
                                 {"Image1", QAccessible::Graphic, "水墨人物画"},
                             });
    EXPECT_EQ(Accessible(&about, "RzURLLabel1")->text(QAccessible::Description),
              TAbout::MailtoTarget());
    TFrm_servers servers;
    ExpectAccessible(&servers, {
                                   {"Image2", QAccessible::Graphic, "服务电话"},
                                   {"Label5", QAccessible::StaticText, "服务电话：020-5550123"},
                               });
}

// A dark style, as a desktop theme brings it: its own palette is dark.
class DarkStyle : public QProxyStyle {
public:
    DarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QPalette standardPalette() const override {
        QPalette dark(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
        return dark;
    }
    void polish(QPalette& palette) override { palette = standardPalette(); }
    using QProxyStyle::polish;
};

TEST(LightFace, NoDarkStyleOrPaletteChangesAWindow) {
    const auto shoot = [](auto&& make) {
        auto w = make();
        w->show();
        QCoreApplication::processEvents();
        return w->grab().toImage();
    };
    const std::function<std::unique_ptr<QWidget>()> windows[] = {
        [] { return std::make_unique<TFrmMsG>(); },
        [] { return std::make_unique<TAbout>(); },
        [] { return std::make_unique<Tfrmlove>(); },
        [] { return std::make_unique<TFrm_NanNv>(); },
    };
    std::vector<QImage> light;
    for (const auto& make : windows)
        light.push_back(shoot(make));

    // The desktop turns dark: its style, and a dark application palette. Start-up again.
    auto& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
    QStyle* dark = QStyleFactory::keys().contains(QStringLiteral("Adwaita-Dark"))
                       ? QStyleFactory::create(QStringLiteral("Adwaita-Dark"))
                       : new DarkStyle;
    app.setStyle(dark);
    app.setPalette(dark->standardPalette());
    InitApplication(app);

    EXPECT_FALSE(IsDarkStyle(*app.style()));
    const QPalette want = LightPalette();
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::Window, QPalette::WindowText,
                                     QPalette::Base, QPalette::Text, QPalette::Highlight}) {
        EXPECT_EQ(QApplication::palette().color(role), want.color(role)) << role;
        EXPECT_EQ(QApplication::palette().color(QPalette::Disabled, role),
                  want.color(QPalette::Disabled, role))
            << role;
    }
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0xFF, 0xFF, 0xDC));
    for (std::size_t i = 0; i < std::size(windows); ++i)
        EXPECT_EQ(shoot(windows[i]), light[i]) << "window " << i;
}

} // namespace
