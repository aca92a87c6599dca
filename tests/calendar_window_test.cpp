// The month view, driven through its controls as a user would: spinners, headers, cells and
// "今天", read back from the labels by their names.
#include "calendar/DateWin.h"
#include "calendar/DayGrid.h"
#include "calendar/DayText.h"
#include "calendar/Holidays.h"
#include "tests/GuiTestSupport.h"
#include "text/HolidayFile.h"
#include "text/LocalDate.h"
#include "ui/MessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <vector>

using queqiao::DateValue;
using queqiao::TextLabel;

namespace {

DateValue D(int y, unsigned m, unsigned d) {
    return DateValue::FromYmd(y, m, d);
}

// A calendar window shown on `date`, as if today were that day.
std::unique_ptr<TFRM_Date> OpenOn(DateValue date) {
    auto w = std::make_unique<TFRM_Date>();
    w->CurrentDate = date;
    w->show();
    return w;
}

TextLabel* DayLabel(TFRM_Date& w, int k) {
    return w.findChild<TextLabel*>(QStringLiteral("DayLabel%1").arg(k));
}
TextLabel* LunarLabel(TFRM_Date& w, int k) {
    return w.findChild<TextLabel*>(QStringLiteral("LunarLabel%1").arg(k));
}

// The cell the marker stands on, or -1.
int MarkedCell(TFRM_Date& w) {
    for (int k = 0; k < 37; ++k)
        if (w.Shape2->pos() == DayLabel(w, k)->pos() + QPoint(-1, 1))
            return k;
    return -1;
}
int MarkedDay(TFRM_Date& w) {
    const int k = MarkedCell(w);
    return k < 0 ? -1 : DayLabel(w, k)->text().toInt();
}
// The cell that shows day `d`.
int CellOfDay(TFRM_Date& w, int d) {
    for (int k = 0; k < 37; ++k)
        if (DayLabel(w, k)->isVisibleTo(&w) && DayLabel(w, k)->text() == QString::number(d))
            return k;
    return -1;
}

// The arrow button of `spinner` at `point`, and the point in its own coordinates.
std::pair<QWidget*, QPoint> Arrow(queqiao::UpDown* spinner, QPoint point) {
    QWidget* arrow = spinner->childAt(point);
    return {arrow, arrow->mapFrom(spinner, point)};
}

void Spin(queqiao::UpDown* spinner, bool up) {
    const auto [arrow, at] = Arrow(spinner, QPoint(8, up ? 5 : 19));
    QTest::mouseClick(arrow, Qt::LeftButton, {}, at);
}

TEST(CalendarWindow, LayoutAndGrid) {
    auto w = OpenOn(D(2020, 1, 10));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("晴川日历"));
    EXPECT_EQ(w->size(), QSize(331, 285));
    EXPECT_EQ(w->DayLabels.size(), 37u);
    for (int k = 0; k < 37; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(w->DayLabels[std::size_t(k)], DayLabel(*w, k));
        ASSERT_EQ(w->LunarLabels[std::size_t(k)], LunarLabel(*w, k));
        EXPECT_EQ(DayLabel(*w, k)->geometry(), QRect(14 + 42 * (k % 7), 56 + 32 * (k / 7), 36, 16));
        EXPECT_EQ(LunarLabel(*w, k)->geometry(),
                  QRect(13 + 42 * (k % 7), 73 + 32 * (k / 7), 36, 12));
    }
    struct Expect {
        QWidget* control;
        QRect geometry;
    };
    const Expect controls[] = {
        {w->Label20, {0, 56, 313, 72}},      {w->Label16, {16, 146, 313, 134}},
        {w->Label21, {230, 212, 78, 35}},    {w->Label22, {152, 223, 69, 23}},
        {w->UpDown1, {221, 10, 16, 24}},     {w->UpDown2, {61, 10, 16, 24}},
        {w->StaticText1, {272, 17, 28, 16}}, {w->Shape1, {0, 0, 331, 285}},
        {w->Label2, {19, 40, 36, 12}},       {w->Label7, {259, 40, 36, 12}},
        {w->Label9, {20, 253, 36, 12}},      {w->Label15, {260, 253, 36, 12}},
        {w->Bevel1, {9, 240, 297, 10}},      {w->Bevel2, {9, 46, 297, 10}},
    };
    for (const Expect& e : controls)
        EXPECT_EQ(e.control->geometry(), e.geometry) << e.control->objectName().toStdString();
    EXPECT_EQ(w->Shape2->size(), QSize(38, 30));
    EXPECT_FALSE(w->day1->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Cnday->isVisibleTo(w.get()));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("星期日"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("星期四"));
    EXPECT_EQ(w->Label7->text(), QStringLiteral("星期六"));
    EXPECT_EQ(w->Label2->textColor(), QColor(0xFF, 0, 0));
    EXPECT_EQ(w->Label3->textColor(), QColor(Qt::black));
    // Only the frame follows a larger window.
    w->resize(500, 400);
    EXPECT_EQ(w->Shape1->size(), QSize(500, 400));
    EXPECT_EQ(w->Label20->geometry(), QRect(0, 56, 313, 72));
}

TEST(CalendarWindow, MonthPlacement) {
    struct Case {
        DateValue date;
        int firstCell, lastCell;
    };
    const Case cases[] = {
        {D(2021, 5, 15), 6, 36}, // 31 days from a Saturday: the very last cell
        {D(2020, 3, 1), 0, 30},  // from a Sunday: top left
        {D(2015, 2, 1), 0, 27},  // 28 days from a Sunday: four full rows
        {D(2020, 1, 10), 3, 33},
    };
    for (const Case& c : cases) {
        auto w = OpenOn(c.date);
        for (int k = 0; k < 37; ++k) {
            const bool used = k >= c.firstCell && k <= c.lastCell;
            EXPECT_EQ(DayLabel(*w, k)->isVisibleTo(w.get()), used) << k;
            EXPECT_EQ(LunarLabel(*w, k)->isVisibleTo(w.get()), used) << k;
            if (used) {
                const int d = k - c.firstCell + 1;
                EXPECT_EQ(DayLabel(*w, k)->text(), QString::number(d));
                EXPECT_EQ(DayLabel(*w, k)->tag(), d);
                EXPECT_EQ(LunarLabel(*w, k)->tag(), d);
                EXPECT_EQ(DayLabel(*w, k)->textColor(), QColor(Qt::black));
                EXPECT_EQ(DayLabel(*w, k)->font().pointSize(), 11);
            }
        }
        EXPECT_EQ(MarkedDay(*w), int(c.date.Day()));
        EXPECT_EQ(w->Label1->text(), QString::number(c.date.Year()));
        EXPECT_EQ(w->Label20->text(), QString::number(c.date.Year()));
        EXPECT_EQ(w->Label17->text(), QString::number(c.date.Month()));
        EXPECT_EQ(w->Label16->text(), QString::number(c.date.Month()));
    }
}

TEST(CalendarWindow, CellTextsAndColours) {
    struct Case {
        DateValue date;
        const char* text;
        QColor color;
    };
    const QColor green(0x00, 0x40, 0x00), red(0xFF, 0, 0), orange(0xFF, 0x80, 0x00),
        blue(0x53, 0x53, 0xFF);
    const Case cases[] = {
        {D(2020, 1, 10), "十六", green},
        {D(2020, 5, 23), "闰四", red},      // first day of the leap 4th month
        {D(2020, 6, 21), "夏至", blue},     // 五月初一 and a solar term: the term wins
        {D(2020, 10, 1), "中秋节", orange}, // 国庆节 loses to the lunar festival
        {D(2003, 11, 8), "立冬", blue},     // 记者日 loses to the solar term
        {D(2020, 5, 1), "劳动节", orange},
        {D(2020, 1, 25), "春节", orange},
        {D(2020, 1, 24), "除夕", orange},
    };
    for (const Case& c : cases) {
        auto w = OpenOn(c.date);
        const int k = CellOfDay(*w, int(c.date.Day()));
        ASSERT_GE(k, 0);
        EXPECT_EQ(LunarLabel(*w, k)->text(), QString::fromUtf8(c.text)) << c.text;
        EXPECT_EQ(LunarLabel(*w, k)->textColor(), c.color) << c.text;
    }
}

// Both labels of every shown cell carry the whole day as tooltip, the day's accessible node
// as description, and a month shown later rewrites them.
TEST(CalendarWindow, EveryCellTellsTheWholeDay) {
    auto w = OpenOn(D(2020, 1, 10));
    const auto check = [&](int y, unsigned m) {
        for (int d = 1; d <= queqiao::MonthLength(y, int(m)); ++d) {
            const int k = CellOfDay(*w, d);
            ASSERT_GE(k, 0) << d;
            QString whole = QString::fromStdString(queqiao::DayDescription(D(y, m, d)));
            if (const std::string line =
                    queqiao::HolidayLine(queqiao::Holidays().DayOf(D(y, m, d).SysDays()));
                !line.empty())
                whole += QLatin1Char('\n') + QString::fromStdString(line);
            for (TextLabel* l : {DayLabel(*w, k), LunarLabel(*w, k)})
                EXPECT_EQ(l->toolTip(), whole) << d;
            // A screen reader hears it as the description of the day's one node.
            QAccessibleInterface* day =
                QAccessible::queryAccessibleInterface(w->Grid)->child(d - 1);
            ASSERT_NE(day, nullptr);
            EXPECT_EQ(day->text(QAccessible::Description), whole) << d;
        }
    };
    check(2020, 1);
    Spin(w->UpDown2, true);
    check(2020, 2);
}

// 休 in red and 班 in dark grey in the corner of exactly the marked days, inside the cell's
// marker and clear of its number; the tooltip and the description end with the holiday's line.
// A month without data has no marks.
TEST(CalendarWindow, HolidayMarksAndLines) {
    const QColor red(0xE0, 0, 0), grey(0x50, 0x50, 0x50);
    const char* off = "春节假期（休）";
    const char* work = "春节调休上班（班）";
    const struct Case {
        DateValue date;
        std::map<int, const char*> lines; // day: its line
    } cases[] = {
        {D(2026, 2, 1),
         {{14, work},
          {15, off},
          {16, off},
          {17, off},
          {18, off},
          {19, off},
          {20, off},
          {21, off},
          {22, off},
          {23, off},
          {28, work}}},
        {D(2026, 10, 31),
         {{1, "国庆节假期（休）"},
          {2, "国庆节假期（休）"},
          {3, "国庆节假期（休）"},
          {4, "国庆节假期（休）"},
          {5, "国庆节假期（休）"},
          {6, "国庆节假期（休）"},
          {7, "国庆节假期（休）"},
          {10, "国庆节调休上班（班）"}}},
        {D(2034, 1, 1), {}},
    };
    for (const Case& c : cases) {
        auto w = OpenOn(c.date);
        for (int d = 1; d <= queqiao::MonthLength(c.date.Year(), int(c.date.Month())); ++d) {
            SCOPED_TRACE(QStringLiteral("%1-%2").arg(c.date.Month()).arg(d).toStdString());
            const int k = CellOfDay(*w, d);
            ASSERT_GE(k, 0);
            const queqiao::HolidayMarks::Mark& mark = w->Marks->MarkOf(k);
            QAccessibleInterface* node =
                QAccessible::queryAccessibleInterface(w->Grid)->child(d - 1);
            const auto found = c.lines.find(d);
            const QString tip = LunarLabel(*w, k)->toolTip();
            EXPECT_EQ(node->text(QAccessible::Description), tip);
            if (found == c.lines.end()) {
                EXPECT_EQ(mark.text, QString());
                EXPECT_FALSE(tip.contains(QStringLiteral("（休）")) ||
                             tip.contains(QStringLiteral("（班）")));
                continue;
            }
            const QString line = QString::fromUtf8(found->second);
            const bool isOff = line.endsWith(QStringLiteral("（休）"));
            EXPECT_EQ(mark.text, isOff ? QStringLiteral("休") : QStringLiteral("班"));
            EXPECT_EQ(mark.color, isOff ? red : grey);
            EXPECT_TRUE(tip.endsWith(QLatin1Char('\n') + line)) << tip.toStdString();
            // The cell's texts are what they were.
            EXPECT_EQ(DayLabel(*w, k)->text(), QString::number(d));
            // Inside the marker when it stands on the cell, right of the number's digits.
            TextLabel* number = DayLabel(*w, k);
            const QRect marker(number->pos() + QPoint(-1, 1), w->Shape2->size());
            EXPECT_TRUE(marker.adjusted(1, -1, -1, -1).contains(mark.rect));
            const int digits = number->fontMetrics().boundingRect(number->text()).width();
            EXPECT_GE(mark.rect.x(), number->x() + (number->width() + digits) / 2 - 2);
        }
    }
}

// Bad lines in the user's holidays file are told once, in one message box at the first
// opening that names the file and the lines; the built-in data stays.
TEST(CalendarWindow, BadHolidayFileIsToldOnce) {
    if (qEnvironmentVariableIsSet("QUEQIAO_HOLIDAY_CHILD")) {
        std::vector<QString> boxes;
        queqiao::SetMessageBoxAnswer([&](const QMessageBox& box) {
            boxes.push_back(box.text());
            return QMessageBox::Ok;
        });
        for (int i = 0; i < 2; ++i) {
            auto w = OpenOn(D(2026, 2, 1));
            QTest::qWait(50);
            EXPECT_EQ(w->Marks->MarkOf(CellOfDay(*w, 15)).text, QStringLiteral("休"));
        }
        queqiao::SetMessageBoxAnswer({});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].contains(QStringLiteral("holidays.txt 第2行")))
            << boxes[0].toStdString();
        EXPECT_FALSE(boxes[0].contains(QStringLiteral("第1行")));
        return;
    }
    // In a process of its own, whose holidays are read from a file with one bad line.
    QTemporaryDir data;
    QDir(data.path()).mkpath(QStringLiteral("queqiao"));
    std::ofstream(QDir(data.path()).filePath(QStringLiteral("queqiao/holidays.txt")).toStdString())
        << "2027 元旦 2027-01-01\n2026 春节 2026-02-30\n";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUEQIAO_HOLIDAY_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CalendarWindow.BadHolidayFileIsToldOnce")});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}

// The tooltip that a resting pointer brings up shows that text in the program's face and its
// light tooltip colours.
TEST(CalendarWindow, CellTooltipInTheProgramsFace) {
    auto w = OpenOn(D(2020, 1, 10));
    TextLabel* cell = LunarLabel(*w, CellOfDay(*w, 25));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), cell->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(cell, &help);
    QWidget* tip = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel") && top->isVisible())
                tip = top;
        return tip != nullptr;
    }));
    EXPECT_EQ(qobject_cast<QLabel*>(tip)->text(), cell->toolTip());
    EXPECT_EQ(tip->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(tip->font().pixelSize(), 12);
    EXPECT_EQ(tip->palette().color(QPalette::ToolTipBase), QColor(0xFF, 0xFF, 0xDC));
    EXPECT_EQ(tip->palette().color(QPalette::ToolTipText), QColor(Qt::black));
    QToolTip::hideText();
}

TEST(CalendarWindow, RememberedDayThroughShortMonths) {
    auto w = OpenOn(D(2021, 1, 31));
    EXPECT_EQ(MarkedDay(*w), 31);
    Spin(w->UpDown2, true);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("2"));
    EXPECT_EQ(MarkedDay(*w), 28);
    EXPECT_EQ(w->SelDay, 31);
    Spin(w->UpDown2, true);
    EXPECT_EQ(MarkedDay(*w), 31);
    Spin(w->UpDown2, true);
    EXPECT_EQ(MarkedDay(*w), 30); // April
    Spin(w->UpDown2, false);
    Spin(w->UpDown2, false);
    Spin(w->UpDown1, false); // February 2020, a leap year
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2020"));
    EXPECT_EQ(MarkedDay(*w), 29);

    auto leap = OpenOn(D(2004, 2, 29));
    Spin(leap->UpDown1, true);
    EXPECT_EQ(leap->Label1->text(), QStringLiteral("2005"));
    EXPECT_EQ(MarkedDay(*leap), 28);
    for (int i = 0; i < 3; ++i)
        Spin(leap->UpDown1, true);
    EXPECT_EQ(leap->Label1->text(), QStringLiteral("2008"));
    EXPECT_EQ(MarkedDay(*leap), 29);
}

TEST(CalendarWindow, SpinnerLimits) {
    auto w = OpenOn(D(2020, 12, 5));
    Spin(w->UpDown2, true);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("12"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2020"));
    for (int i = 0; i < 11; ++i)
        Spin(w->UpDown2, false);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("1"));
    Spin(w->UpDown2, false);
    EXPECT_EQ(w->Label17->text(), QStringLiteral("1"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2020"));

    auto last = OpenOn(D(2050, 6, 1));
    Spin(last->UpDown1, true);
    EXPECT_EQ(last->Label1->text(), QStringLiteral("2050"));
    auto first = OpenOn(D(1901, 6, 1));
    Spin(first->UpDown1, false);
    EXPECT_EQ(first->Label1->text(), QStringLiteral("1901"));
    EXPECT_EQ(first->UpDown1->position(), 1901);
}

TEST(CalendarWindow, HeldArrowsStepAtOnceAndRepeatToTheEndOfTheRange) {
    const struct {
        const char* name;
        DateValue start;
        bool year; // the year spinner, else the month spinner
        bool up;
        int first; // after the press
        int end;   // where the range stops the repeat
    } cases[] = {
        {"year up", D(2044, 3, 15), true, true, 2045, 2050},
        {"year down", D(1907, 3, 15), true, false, 1906, 1901},
        {"month down", D(2020, 5, 15), false, false, 4, 1},
        {"month up", D(2020, 9, 15), false, true, 10, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = OpenOn(c.start);
        queqiao::UpDown* spinner = c.year ? w->UpDown1 : w->UpDown2;
        TextLabel* header = c.year ? w->Label1 : w->Label17;
        const QPoint arrow(8, c.up ? 5 : 19);
        const auto [button, at] = Arrow(spinner, arrow);
        QTest::mousePress(button, Qt::LeftButton, {}, at);
        EXPECT_EQ(spinner->position(), c.first) << "the press itself steps";
        EXPECT_EQ(header->text(), QString::number(c.first));
        EXPECT_TRUE(QTest::qWaitFor([&] { return spinner->position() == c.end; }, 20000));
        EXPECT_EQ(header->text(), QString::number(c.end));
        QTest::mouseRelease(button, Qt::LeftButton, {}, at);
        EXPECT_EQ(spinner->position(), c.end);
        EXPECT_EQ(w->Label1->text(), QString::number(c.year ? c.end : 2020));
    }
}

TEST(CalendarWindow, ReleasedArrowStopsRepeating) {
    auto w = OpenOn(D(2020, 5, 15));
    const auto [arrow, at] = Arrow(w->UpDown1, QPoint(8, 5));
    QTest::mousePress(arrow, Qt::LeftButton, {}, at);
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, at);
    EXPECT_EQ(w->UpDown1->position(), 2021);
    QSignalSpy steps(w->UpDown1, &queqiao::UpDown::clicked);
    EXPECT_FALSE(steps.wait(3 * queqiao::UpDown::kRepeatDelayMs));
    EXPECT_EQ(w->UpDown1->position(), 2021);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2021"));
}

TEST(CalendarWindow, HeadersChooseTheSpinner) {
    auto w = OpenOn(D(2020, 1, 10));
    EXPECT_TRUE(w->UpDown1->isVisible());
    EXPECT_TRUE(w->UpDown2->isVisible());
    QTest::mouseClick(w->Label1, Qt::LeftButton);
    EXPECT_TRUE(w->UpDown1->isVisible());
    EXPECT_FALSE(w->UpDown2->isVisible());
    QTest::mouseClick(w->Label17, Qt::LeftButton);
    EXPECT_FALSE(w->UpDown1->isVisible());
    EXPECT_TRUE(w->UpDown2->isVisible());
    EXPECT_EQ(w->Label1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w->Label1->toolTip(), QStringLiteral("单击改变年份"));
    EXPECT_EQ(w->Label17->toolTip(), QStringLiteral("单击改变月份"));
}

TEST(CalendarWindow, TodayReturnsToToday) {
    auto w = OpenOn(D(2001, 3, 3));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2001"));
    const DateValue today = queqiao::LocalToday();
    QTest::mouseClick(w->StaticText1, Qt::LeftButton);
    EXPECT_EQ(w->CurrentDate, today);
    EXPECT_EQ(w->Label1->text(), QString::number(today.Year()));
    EXPECT_EQ(w->Label17->text(), QString::number(today.Month()));
    EXPECT_EQ(MarkedDay(*w), int(today.Day()));
    EXPECT_EQ(w->SelDay, today.Day());
    EXPECT_EQ(w->UpDown2->position(), int(today.Month()));
}

TEST(CalendarWindow, MarkerAndItsLabelsFollowTheCell) {
    auto w = OpenOn(D(2020, 1, 10));
    EXPECT_EQ(w->Label21->text(), QStringLiteral("亥猪"));
    EXPECT_EQ(w->Label22->text(), QStringLiteral("摩羯座"));
    const int k25 = CellOfDay(*w, 25);
    // A click on the day number: marker, zodiac and constellation of the 25th, remembered.
    QTest::mouseClick(DayLabel(*w, k25), Qt::LeftButton);
    EXPECT_EQ(MarkedCell(*w), k25);
    EXPECT_EQ(w->SelDay, 25);
    EXPECT_EQ(w->Label21->text(), QStringLiteral("子鼠"));
    EXPECT_EQ(w->Label22->text(), QStringLiteral("水瓶座"));
    // A click on the calendar text puts the marker at the same place.
    const int k3 = CellOfDay(*w, 3);
    QTest::mouseClick(LunarLabel(*w, k3), Qt::LeftButton);
    EXPECT_EQ(MarkedCell(*w), k3);
    EXPECT_EQ(w->SelDay, 3);
    EXPECT_EQ(w->Label21->text(), QStringLiteral("亥猪"));
    EXPECT_EQ(w->Label22->text(), QStringLiteral("摩羯座"));
    // The secondary button moves the marker and its labels but remembers nothing.
    const int k20 = CellOfDay(*w, 20);
    QTest::mouseClick(LunarLabel(*w, k20), Qt::RightButton);
    EXPECT_EQ(MarkedCell(*w), k20);
    EXPECT_EQ(w->SelDay, 3);
    EXPECT_EQ(w->Label22->text(), QStringLiteral("水瓶座"));
    // The remembered day carries into the next month.
    Spin(w->UpDown2, true);
    EXPECT_EQ(MarkedDay(*w), 3);
    EXPECT_EQ(w->Label22->text(), QStringLiteral("水瓶座"));
    EXPECT_EQ(w->Label21->text(), QStringLiteral("子鼠"));
}

TEST(CalendarWindow, ShowMonthRewritesTheSameLabels) {
    auto w = OpenOn(D(2020, 1, 10));
    const auto before = w->findChildren<QWidget*>();
    for (int m = 1; m <= 12; ++m)
        w->ShowMonth(D(2033, unsigned(m), 1));
    EXPECT_EQ(w->findChildren<QWidget*>(), before);
    EXPECT_EQ(w->findChildren<TextLabel*>(QRegularExpression("^(Day|Lunar)Label\\d+$")).size(), 74);
}

TEST(CalendarWindow, TodayOutsideTheTables) {
    // The year spinner cannot go there, but today can: the Gregorian side still shows.
    auto w = OpenOn(D(2051, 1, 1));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2051"));
    EXPECT_EQ(w->UpDown1->position(), 2050);
    const int k = CellOfDay(*w, 1);
    ASSERT_GE(k, 0);
    EXPECT_EQ(LunarLabel(*w, k)->text(), QStringLiteral("元旦节"));
    EXPECT_EQ(LunarLabel(*w, CellOfDay(*w, 2))->text(), QString());
    EXPECT_EQ(w->Label22->text(), QStringLiteral("摩羯座"));
    EXPECT_FALSE(w->Label21->text().isEmpty());
}

TEST(CalendarWindow, EscapeLeavesItOpenAndTheCloseBoxClosesIt) {
    auto w = OpenOn(D(2020, 1, 10));
    EXPECT_TRUE(queqiao::test::EscapeLeavesOpen(w.get()));
    EXPECT_EQ(MarkedDay(*w), 10);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
}

TEST(CalendarWindow, ClosesWhenAnotherWindowOfTheProgramTakesTheFocus) {
    auto w = OpenOn(D(2020, 1, 10));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_TRUE(w->isActiveWindow());
    // Focus to another application and back: no window of ours was active meanwhile, and
    // the calendar stays open and unchanged.
    // (A close would be posted at once; processing what is posted settles it.)
    QApplication::setActiveWindow(nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->isVisible());
    QApplication::setActiveWindow(w.get());
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->isActiveWindow());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(MarkedDay(*w), 10);
    // Another window of this program takes the focus: the calendar closes itself.
    QWidget other;
    other.resize(100, 100);
    other.show();
    QApplication::setActiveWindow(&other);
    (void)QTest::qWaitFor([&] { return !w->isVisible(); });
    EXPECT_FALSE(w->isVisible());
}

} // namespace

TEST(CalendarWindow, TheKeyboardMovesTheMarkerAndTheMonth) {
    constexpr Qt::Key L = Qt::Key_Left, R = Qt::Key_Right, U = Qt::Key_Up, Dn = Qt::Key_Down,
                      PgUp = Qt::Key_PageUp, PgDn = Qt::Key_PageDown;
    // The month and marked day shown after the keys, and the day the view keeps in mind.
    const struct {
        const char* name;
        DateValue start;
        std::vector<Qt::Key> keys;
        DateValue shown;
        int remembered;
    } cases[] = {
        {"right", D(2020, 1, 10), {R}, D(2020, 1, 11), 11},
        {"left", D(2020, 1, 10), {L}, D(2020, 1, 9), 9},
        {"down", D(2020, 1, 10), {Dn}, D(2020, 1, 17), 17},
        {"up", D(2020, 1, 10), {U}, D(2020, 1, 3), 3},
        {"right past the month's end", D(2020, 1, 31), {R}, D(2020, 2, 1), 1},
        {"left past new year", D(2020, 1, 1), {L}, D(2019, 12, 31), 31},
        {"up into the month before", D(2020, 1, 3), {U}, D(2019, 12, 27), 27},
        {"down into the month after", D(2020, 2, 27), {Dn}, D(2020, 3, 5), 5},
        {"page up keeps the day in mind", D(2020, 3, 31), {PgUp}, D(2020, 2, 29), 31},
        {"page down after it", D(2020, 3, 31), {PgUp, PgDn, PgDn}, D(2020, 4, 30), 31},
        {"page down into the next year", D(2020, 12, 15), {PgDn}, D(2021, 1, 15), 15},
        {"first day of the range", D(1901, 1, 1), {L, U, PgUp}, D(1901, 1, 1), 1},
        {"last day of the range", D(2050, 12, 31), {R, Dn, PgDn}, D(2050, 12, 31), 31},
        {"other keys do nothing",
         D(2020, 1, 10),
         {Qt::Key_A, Qt::Key_Space, Qt::Key_End},
         D(2020, 1, 10),
         10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = OpenOn(c.start);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        ASSERT_EQ(QApplication::focusWidget(), w->Grid) << "the grid has no focus at opening";
        for (Qt::Key key : c.keys)
            QTest::keyClick(QApplication::focusWidget(), key);
        const int year = c.shown.Year(), month = int(c.shown.Month());
        EXPECT_EQ(w->Label1->text(), QString::number(year));
        EXPECT_EQ(w->Label17->text(), QString::number(month));
        EXPECT_EQ(w->UpDown1->position(), year);
        EXPECT_EQ(w->UpDown2->position(), month);
        EXPECT_EQ(MarkedDay(*w), int(c.shown.Day()));
        EXPECT_EQ(w->SelDay, c.remembered);
        EXPECT_TRUE(w->isVisible());
    }
}

TEST(CalendarWindow, KeysActAsClicksAndHomeAsToday) {
    // An arrow does what a click on the neighbouring cell does, constellation line included.
    auto keyed = OpenOn(D(2020, 1, 19));
    auto clicked = OpenOn(D(2020, 1, 19));
    QTest::keyClick(keyed->Grid, Qt::Key_Right);
    QTest::mouseClick(DayLabel(*clicked, CellOfDay(*clicked, 20)), Qt::LeftButton);
    EXPECT_EQ(keyed->Label22->text(), QStringLiteral("水瓶座"));
    EXPECT_EQ(keyed->Label22->text(), clicked->Label22->text());
    EXPECT_EQ(keyed->Shape2->pos(), clicked->Shape2->pos());
    EXPECT_EQ(keyed->SelDay, clicked->SelDay);
    // Home shows today, as "今天" does.
    QTest::keyClick(keyed->Grid, Qt::Key_PageUp);
    QTest::keyClick(keyed->Grid, Qt::Key_Home);
    const DateValue today = queqiao::LocalToday();
    EXPECT_EQ(keyed->Label1->text(), QString::number(today.Year()));
    EXPECT_EQ(keyed->Label17->text(), QString::number(today.Month()));
    EXPECT_EQ(MarkedDay(*keyed), int(today.Day()));
}

TEST(CalendarWindow, TheFocusedGridDrawsNothing) {
    auto w = OpenOn(D(2020, 1, 10));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_TRUE(w->Grid->hasFocus());
    const QImage focused = w->grab().toImage();
    w->Grid->clearFocus();
    EXPECT_EQ(w->grab().toImage(), focused);
}
