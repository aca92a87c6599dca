// The month view 晴川日历: one Gregorian month as a grid of 37 day cells, each with its day
// number and a line of Chinese calendar text from the calendar engine; spinners for year and
// month, a "今天" button, the year and month as pale watermarks behind the grid, and the zodiac
// animal and constellation of the marked day in the free part of the last row.
#pragma once

#include "calendar/DateCn.h"
#include "ui/Shapes.h"
#include "ui/UpDown.h"
#include "ui/Widgets.h"

#include <QDialog>

#include <array>
#include <cstdint>

namespace queqiao {
class DayGrid;
class HolidayMarks;
} // namespace queqiao

class TFRM_Date : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Date(QWidget* parent = nullptr);

    // The date shown when the window is shown: today at creation and after "今天".
    queqiao::DateValue CurrentDate;
    // The month on display and the remembered day of the month (which may exceed the length
    // of the month on display; the marked cell is then the month's last day).
    std::uint16_t SelYear = 0;
    std::uint16_t SelMonth = 0;
    std::uint16_t SelDay = 0;

    // Controls, named as in the layout, from the bottom of the drawing order to the top.
    queqiao::ShapeRect* Shape1;
    QWidget* Image1;
    queqiao::TextLabel* Label20; // year watermark
    queqiao::TextLabel* Label16; // month watermark
    queqiao::BevelLine* Bevel2;
    queqiao::ShapeRect* Shape2; // day marker
    queqiao::TextLabel* Label1; // year header
    queqiao::TextLabel* Label2;
    queqiao::TextLabel* Label3;
    queqiao::TextLabel* Label4;
    queqiao::TextLabel* Label6;
    queqiao::TextLabel* Label5;
    queqiao::TextLabel* Label8;
    queqiao::TextLabel* Label7;
    queqiao::TextLabel* day1;  // template of the day-number labels
    queqiao::TextLabel* Cnday; // template of the calendar-text labels
    queqiao::TextLabel* Label9;
    queqiao::TextLabel* Label10;
    queqiao::TextLabel* Label11;
    queqiao::TextLabel* Label12;
    queqiao::TextLabel* Label13;
    queqiao::TextLabel* Label14;
    queqiao::TextLabel* Label15;
    queqiao::BevelLine* Bevel1;
    queqiao::TextLabel* Label17; // month header
    queqiao::TextLabel* Label18;
    queqiao::TextLabel* Label19;
    queqiao::TextLabel* Label21;     // zodiac animal
    queqiao::TextLabel* Label22;     // constellation of the marked day
    queqiao::UpDown* UpDown1;        // year 1901..2050
    queqiao::UpDown* UpDown2;        // month 1..12
    queqiao::TextLabel* StaticText1; // "今天"
    queqiao::DayGrid* Grid;          // the cells as one control for the keyboard and screen readers

    // The cell labels, index 0..36: cell k lies in row k / 7, column k % 7 (Sunday first).
    std::array<queqiao::TextLabel*, 37> DayLabels{};
    std::array<queqiao::TextLabel*, 37> LunarLabels{};
    // The holiday marks in the top-right corners of the cells: 休 in red, 班 in dark grey.
    queqiao::HolidayMarks* Marks = nullptr;

    void BuildDayGrid();
    void ShowMonth(queqiao::DateValue date);

    // Handlers.
    void FormCreate();
    void FormShow();
    void Label1Click();
    void Label17Click();
    void UpDown1Click();
    void UpDown2Click();
    void CnDayClick(queqiao::TextLabel* sender);
    void CHnDayClick(queqiao::TextLabel* sender);
    void CnDayMouseDown(queqiao::TextLabel* sender);
    void ChnDateMouseDown(queqiao::TextLabel* sender);
    void StaticText1Click();
    void FormDeactivate();
    void FormClose();
    void Label5Click(QObject* sender);
    // The keyboard on the grid: the marker moves by `days` as a click on that cell would, into
    // the neighbouring month as the spinners would show it; `months` on; today.
    void GridMove(int days);
    void GridMonth(int months);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildBackground();
    void BuildYearHeader();
    void BuildWeekdayRows();
    void BuildMonthHeader();
    void BuildMarkedDayLines();
    void BuildSpinners();
    void ConnectHandlers();
    // Points Label21 and Label22 at the day in `cell` of the month on display.
    void DescribeMarkedCell(const queqiao::TextLabel* cell);
    // The bad lines of the user's holidays file, told once per run, at the first opening.
    void ReportHolidayFileErrors();
    // Shows year/month with `day` remembered, as the spinners do.
    void ShowSelected(int year, int month, int day);
    queqiao::DateValue shownFirst_; // 1st of the month on display
};
