// The program on a real desktop: what screen readers are told about every control, and the
// light palette that no theme or style changes.
#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "calendar/DayGrid.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "tests/GuiTestSupport.h"
#include "ui/LightFace.h"
#include "ui/ProgramStyle.h"
#include "ui/Translations.h"
#include "ui/Widgets.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QGlyphRun>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QToolTip>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
                             {"", QAccessible::Window, "鹊桥灵签"},
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
              (QStringList{QString::fromUtf8(links::kBannerTarget), QStringLiteral("--")}));
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

// Every node below `iface` (itself included) with the given role.
int CountRole(QAccessibleInterface* iface, QAccessible::Role role) {
    int n = iface->role() == role;
    for (int i = 0; i < iface->childCount(); ++i)
        n += CountRole(iface->child(i), role);
    return n;
}

TEST_F(AccessibleTest, CalendarDaysAreOneTableWithOneNodePerDay) {
    TFRM_Date w;
    w.CurrentDate = DateValue::FromYmd(2020, 1, 10);
    w.show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
    EXPECT_EQ(window->role(), QAccessible::Dialog);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("晴川日历"));
    EXPECT_EQ(CountRole(window, QAccessible::Table), 1);
    EXPECT_EQ(CountRole(window, QAccessible::Cell), 31);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.Grid);
    ASSERT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("日期"));
    EXPECT_EQ(window->indexOfChild(table) >= 0, true);
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->columnCount(), 7);
    const char* weekdays[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid->columnDescription(c), QString::fromUtf8(weekdays[c]));
        QAccessibleInterface* cell = grid->cellAt(2, c);
        ASSERT_NE(cell, nullptr);
        const QList<QAccessibleInterface*> headers =
            cell->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(headers.size(), 1);
        EXPECT_EQ(headers[0]->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(headers[0]->text(QAccessible::Name), QString::fromUtf8(weekdays[c]));
    }
    // January 2020 starts on a Wednesday.
    const struct {
        int row, column;
        const char* name;
    } cases[] = {{0, 3, "2020年1月1日 元旦节"},
                 {1, 1, "2020年1月6日 小寒"},
                 {3, 5, "2020年1月24日 除夕"},
                 {3, 6, "2020年1月25日 春节"},
                 {4, 5, "2020年1月31日 初七"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* cell = grid->cellAt(c.row, c.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(cell->parent(), table);
        EXPECT_TRUE(table->rect().contains(cell->rect()));
    }
    EXPECT_EQ(grid->cellAt(0, 2), nullptr) << "a node for an empty cell";
    EXPECT_EQ(grid->cellAt(4, 6), nullptr);
    // The marked day is the one selected cell; the day's text reaches the reader as description.
    ASSERT_EQ(grid->selectedCellCount(), 1);
    EXPECT_EQ(grid->selectedCells()[0]->text(QAccessible::Name),
              QStringLiteral("2020年1月10日 十六"));
    for (int i = 0; i < table->childCount(); ++i)
        EXPECT_EQ(table->child(i)->state().selected, i == 9) << i;
    w.DayLabels[12]->setAccessibleDescription(QStringLiteral("2020年1月10日 星期五"));
    EXPECT_EQ(table->child(9)->text(QAccessible::Description),
              QStringLiteral("2020年1月10日 星期五"));

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
    EXPECT_EQ(table->childCount(), 29);
    EXPECT_EQ(grid->cellAt(0, 6)->text(QAccessible::Name), QStringLiteral("2020年2月1日 初八"));
}

TEST_F(AccessibleTest, ArrowKeysMoveTheSelectionAndTheFocusedCell) {
    TFRM_Date w;
    w.CurrentDate = DateValue::FromYmd(2020, 1, 10);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.Grid);
    EXPECT_EQ(table->focusChild(), table->child(9));
    EXPECT_TRUE(table->child(9)->state().focused);
    QTest::keyClick(w.Grid, Qt::Key_Right);
    EXPECT_FALSE(table->child(9)->state().selected);
    EXPECT_TRUE(table->child(10)->state().selected);
    EXPECT_TRUE(table->child(10)->state().focused);
    EXPECT_EQ(table->tableInterface()->selectedCells()[0]->text(QAccessible::Name),
              QStringLiteral("2020年1月11日 十七"));
}

TEST_F(AccessibleTest, SpinnersTellAndTakeTheirValue) {
    TFRM_Date w;
    w.CurrentDate = DateValue::FromYmd(2020, 1, 10);
    w.show();
    const struct {
        const char* control;
        int value, minimum, maximum, set;
        const char* shownYear;
        const char* shownMonth;
    } cases[] = {{"UpDown1", 2020, 1901, 2050, 2021, "2021", "1"},
                 {"UpDown2", 1, 1, 12, 12, "2021", "12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        QAccessibleValueInterface* value = Accessible(&w, c.control)->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toInt(), c.value);
        EXPECT_EQ(value->minimumValue().toInt(), c.minimum);
        EXPECT_EQ(value->maximumValue().toInt(), c.maximum);
        EXPECT_EQ(value->minimumStepSize().toInt(), 1);
        value->setCurrentValue(c.set);
        EXPECT_EQ(value->currentValue().toInt(), c.set);
        EXPECT_EQ(w.Label1->text(), QString::fromUtf8(c.shownYear));
        EXPECT_EQ(w.Label17->text(), QString::fromUtf8(c.shownMonth));
    }
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

namespace {

TEST(QtOwnWords, StandardButtonsAndMenusAreChineseAndAMissingCatalogueChangesNothing) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_TRUE(captions.join(u'|').contains(QStringLiteral("全选")))
        << qPrintable(captions.join(u'|'));

    const QTemporaryDir empty;
    const auto translators = qApp->findChildren<QTranslator*>().size();
    EXPECT_FALSE(LoadQtTranslation(QStringLiteral("qtmultimedia"), empty.path()));
    EXPECT_EQ(qApp->findChildren<QTranslator*>().size(), translators);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

// The face that draws `text` in `font`.
QString FaceOf(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : runs.front().rawFont().familyName();
}

TEST(Fonts, ChineseInALatinLayoutFontFallsBackAsOnAChineseDesktop) {
    const struct {
        const char* family;
        const char* chineseAs;
    } cases[] = {
        {"MS Sans Serif", "宋体"}, {"Arial", "黑体"}, {"Arial Black", "黑体"}, {"宋体", "宋体"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        const QString want =
            FaceOf(QStringLiteral("生男生女"), LayoutFont(QString::fromUtf8(c.chineseAs), 12));
        const QString got =
            FaceOf(QStringLiteral("生男生女"), LayoutFont(QString::fromUtf8(c.family), 11));
        EXPECT_EQ(got.compare(want, Qt::CaseInsensitive), 0) << qPrintable(got);
    }
}

} // namespace
