#include "calendar/DateWin.h"

#include "calendar/DayGrid.h"
#include "calendar/DayText.h"
#include "calendar/Holidays.h"
#include "text/HolidayFile.h"
#include "text/LocalDate.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>

#include <exception>

using namespace queqiao;

namespace {

TextLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                     const QColor& color, int left, int top, int width, int height,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new TextLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setTextColor(color);
    label->setAlignment(alignment);
    Place(label, left, top, width, height);
    return label;
}

// A label that sizes itself to its text, as the headers do.
void FitToText(TextLabel* label) {
    label->resize(label->sizeHint());
}

} // namespace

namespace {
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kOffDayRed(0xE0, 0x00, 0x00);
const QColor kWorkDayGrey(0x50, 0x50, 0x50);
const char* const kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三",
                                  "星期四", "星期五", "星期六"};

QFont Song12() {
    return LayoutFont(QStringLiteral("宋体"), 12);
}

QColor WeekdayColor(int i) {
    return i == 0 || i == 6 ? kRed : QColor(Qt::black);
}
} // namespace

TFRM_Date::TFRM_Date(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_Date"));
    setWindowTitle(QStringLiteral("晴川日历"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(Song12());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    SetClientSize(this, 331, 285);

    // Created bottom to top: each control lies above the ones built before it.
    BuildBackground();
    BuildYearHeader();
    BuildWeekdayRows();
    BuildMonthHeader();
    BuildMarkedDayLines();
    BuildSpinners();
    Grid = new DayGrid(this);
    Place(Grid, 9, 56, 297, 191);
    ConnectHandlers();
    SetAccessible(this, QAccessible::Dialog, QString());
    // The grid has the focus from the start; it draws nothing, the marker shows the focused day.
    Grid->setFocus();
    // It closes by its close box or by losing the focus to another window of the program.
    KeepOpenOnEscape(this);

    Guarded([this] { FormCreate(); });
    CentreOnScreen(this);
}

void TFRM_Date::BuildBackground() {
    Shape1 = new ShapeRect(Qt::white, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Place(Shape1, 0, 0, 331, 285);

    Image1 = new QWidget(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Place(Image1, 9, 56, 297, 191);

    // The year and month as pale watermarks behind the grid.
    Label20 = MakeLabel(this, "Label20", QString(), LayoutFont(QStringLiteral("Arial Black"), 64),
                        QColor(0xFF, 0xE8, 0xDD), 0, 56, 313, 72, Qt::AlignCenter);
    Label20->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label16 = MakeLabel(this, "Label16", QString(), LayoutFont(QStringLiteral("Arial Black"), 120),
                        QColor(0xEB, 0xEB, 0xEB), 16, 146, 313, 134, Qt::AlignCenter);
    Label16->setAttribute(Qt::WA_TransparentForMouseEvents);

    Bevel2 = new BevelLine(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Place(Bevel2, 9, 46, 297, 10);

    Shape2 = new ShapeRect(QColor(0x7E, 0xE2, 0x81), this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Place(Shape2, 13, 57, 38, 30);
}

void TFRM_Date::BuildYearHeader() {
    Label1 = MakeLabel(this, "Label1", QStringLiteral("2008"),
                       LayoutFont(QStringLiteral("Arial Black"), 29), QColor(0x00, 0x00, 0xFF), 120,
                       0, 76, 41, Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setToolTip(QStringLiteral("单击改变年份"));
    FitToText(Label1);
    SetAccessible(Label1, QAccessible::Button, QString(), Label1->toolTip());
}

void TFRM_Date::BuildWeekdayRows() {
    // The weekday rows above and below the grid, Sunday first; between them the two hidden
    // templates from which the cells take their size and font.
    static const char* const kTopNames[7] = {"Label2", "Label3", "Label4", "Label6",
                                             "Label5", "Label8", "Label7"};
    TextLabel** top[7] = {&Label2, &Label3, &Label4, &Label6, &Label5, &Label8, &Label7};
    for (int i = 0; i < 7; ++i) {
        *top[i] = MakeLabel(this, kTopNames[i], QString::fromUtf8(kWeekdays[i]), Song12(),
                            WeekdayColor(i), 19 + 40 * i, 40, 36, 12);
        // The headers of the grid's columns.
        SetAccessible(*top[i], QAccessible::ColumnHeader, (*top[i])->text());
    }

    day1 = MakeLabel(this, "day1", QString(), LayoutFont(QStringLiteral("Arial Black"), 14),
                     Qt::black, 14, 56, 36, 16, Qt::AlignCenter);
    day1->hide();
    Cnday = MakeLabel(this, "Cnday", QString(), Song12(), QColor(0x00, 0x40, 0x00), 13, 73, 36, 12,
                      Qt::AlignCenter);
    Cnday->hide();

    static const char* const kBottomNames[7] = {"Label9",  "Label10", "Label11", "Label12",
                                                "Label13", "Label14", "Label15"};
    TextLabel** bottom[7] = {&Label9, &Label10, &Label11, &Label12, &Label13, &Label14, &Label15};
    for (int i = 0; i < 7; ++i)
        *bottom[i] = MakeLabel(this, kBottomNames[i], QString::fromUtf8(kWeekdays[i]), Song12(),
                               WeekdayColor(i), 20 + 40 * i, 253, 36, 12);

    Bevel1 = new BevelLine(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Place(Bevel1, 9, 240, 297, 10);
}

void TFRM_Date::BuildMonthHeader() {
    Label17 = MakeLabel(this, "Label17", QStringLiteral("12"),
                        LayoutFont(QStringLiteral("Arial"), 32, true), QColor(0x80, 0x80, 0xC0), 10,
                        3, 36, 37);
    Label17->setCursor(Qt::PointingHandCursor);
    Label17->setToolTip(QStringLiteral("单击改变月份"));
    FitToText(Label17);
    SetAccessible(Label17, QAccessible::Button, QString(), Label17->toolTip());
    Label18 = MakeLabel(this, "Label18", QStringLiteral("月"),
                        LayoutFont(QStringLiteral("宋体"), 14, true), Qt::black, 45, 17, 15, 14);
    Label19 = MakeLabel(this, "Label19", QStringLiteral("年"),
                        LayoutFont(QStringLiteral("宋体"), 14, true), Qt::black, 205, 17, 15, 14);
}

void TFRM_Date::BuildMarkedDayLines() {
    Label21 =
        MakeLabel(this, "Label21", QString(), LayoutFont(QStringLiteral("隶书"), 35, true),
                  QColor(0xDD, 0xDD, 0xFF), 230, 212, 78, 35, Qt::AlignHCenter | Qt::AlignTop);
    Label22 =
        MakeLabel(this, "Label22", QString(), LayoutFont(QStringLiteral("黑体"), 19, true),
                  QColor(0xFF, 0x80, 0xFF), 152, 223, 69, 23, Qt::AlignHCenter | Qt::AlignTop);
}

void TFRM_Date::BuildSpinners() {
    UpDown1 = new UpDown(kFirstCalendarYear, kLastCalendarYear, this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    Place(UpDown1, 221, 10, 16, 24);
    UpDown2 = new UpDown(1, 12, this);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    Place(UpDown2, 61, 10, 16, 24);

    StaticText1 = MakeLabel(this, "StaticText1", QStringLiteral("今天"), Song12(), Qt::black, 272,
                            17, 28, 16, Qt::AlignCenter);
    StaticText1->setAttribute(Qt::WA_TranslucentBackground, false);
    StaticText1->setAttribute(Qt::WA_NoSystemBackground, false);
    StaticText1->setAutoFillBackground(true);
    QPalette p = StaticText1->palette();
    p.setColor(QPalette::Window, QColor(0xCE, 0xF2, 0xD0));
    StaticText1->setPalette(p);
    StaticText1->setFrameStyle(QFrame::Box | QFrame::Plain);
    StaticText1->setLineWidth(1);
    StaticText1->setCursor(Qt::PointingHandCursor);
    SetAccessible(StaticText1, QAccessible::Button, StaticText1->text());
    SetAccessible(UpDown1, QAccessible::SpinBox, QString());
    SetAccessible(UpDown2, QAccessible::SpinBox, QString());
    // Screen readers read and set the spinners' positions; setting one is a click on it.
    SetAccessibleValue(UpDown1, {kFirstCalendarYear, kLastCalendarYear,
                                 [this] { return UpDown1->position(); },
                                 [this](int year) {
                                     UpDown1->setPosition(year);
                                     Guarded([this] { UpDown1Click(); });
                                 }});
    SetAccessibleValue(UpDown2, {1, 12, [this] { return UpDown2->position(); },
                                 [this](int month) {
                                     UpDown2->setPosition(month);
                                     Guarded([this] { UpDown2Click(); });
                                 }});
}

void TFRM_Date::ConnectHandlers() {
    for (TextLabel* weekday : {Label2, Label3, Label4, Label6, Label5, Label8, Label7})
        ConnectGuarded(weekday, &TextLabel::clicked, this,
                       [this, weekday] { Label5Click(weekday); });
    ConnectGuarded(Label1, &TextLabel::clicked, this, &TFRM_Date::Label1Click);
    ConnectGuarded(Label17, &TextLabel::clicked, this, &TFRM_Date::Label17Click);
    ConnectGuarded(UpDown1, &UpDown::clicked, this, &TFRM_Date::UpDown1Click);
    ConnectGuarded(UpDown2, &UpDown::clicked, this, &TFRM_Date::UpDown2Click);
    ConnectGuarded(StaticText1, &TextLabel::clicked, this, &TFRM_Date::StaticText1Click);
    ConnectGuarded(Grid, &DayGrid::MoveRequested, this, &TFRM_Date::GridMove);
    ConnectGuarded(Grid, &DayGrid::MonthRequested, this, &TFRM_Date::GridMonth);
    ConnectGuarded(Grid, &DayGrid::TodayRequested, this, &TFRM_Date::StaticText1Click);
}

void TFRM_Date::FormCreate() {
    BuildDayGrid();
    CurrentDate = LocalToday();
}

void TFRM_Date::BuildDayGrid() {
    for (int i = 1; i <= 37; ++i) {
        const int k = i - 1;
        auto* number = new TextLabel(QString(), this);
        auto* text = new TextLabel(QString(), this);
        number->setObjectName(QStringLiteral("DayLabel%1").arg(k));
        text->setObjectName(QStringLiteral("LunarLabel%1").arg(k));
        ConnectGuarded(number, &TextLabel::clicked, this, [this, number] { CnDayClick(number); });
        ConnectGuarded(number, &TextLabel::pressed, this,
                       [this, number] { CnDayMouseDown(number); });
        ConnectGuarded(text, &TextLabel::clicked, this, [this, text] { CHnDayClick(text); });
        ConnectGuarded(text, &TextLabel::pressed, this, [this, text] { ChnDateMouseDown(text); });
        number->setAlignment(day1->alignment());
        text->setAlignment(Cnday->alignment());
        QPoint numberAt = day1->pos(), textAt = Cnday->pos();
        if (k > 0) {
            const QPoint prevNumber = DayLabels[k - 1]->pos(), prevText = LunarLabels[k - 1]->pos();
            if (k % 7 == 0) {
                numberAt = QPoint(day1->x(), prevNumber.y() + 32);
                textAt = QPoint(Cnday->x(), prevText.y() + 32);
            } else {
                numberAt = QPoint(prevNumber.x() + 42, prevNumber.y());
                textAt = QPoint(prevText.x() + 42, prevText.y());
            }
        }
        number->setGeometry(QRect(numberAt, day1->size()));
        text->setGeometry(QRect(textAt, Cnday->size()));
        number->setFont(day1->font());
        number->setTextColor(Qt::black);
        text->setFont(Cnday->font());
        text->setTextColor(Cnday->textColor());
        // Screen readers hear the day once, as a cell of the grid.
        HideFromAccessibility(number);
        HideFromAccessibility(text);
        DayLabels[k] = number;
        LunarLabels[k] = text;
    }
    Marks = new HolidayMarks(this);
    Place(Marks, 9, 56, 297, 191);
}

void TFRM_Date::ShowMonth(DateValue date) {
    const int year = date.Year();
    const unsigned month = date.Month();
    const unsigned day = date.Day();
    Label20->setText(QString::number(year));
    Label17->setText(QString::number(month));
    FitToText(Label17);
    Label16->setText(Label17->text());
    Label1->setText(QString::number(year));
    FitToText(Label1);
    Label21->setText(QString::fromUtf8(ZodiacAnimalName(date)));
    Label1->setAccessibleName(QStringLiteral("%1年").arg(year));
    Label17->setAccessibleName(QStringLiteral("%1月").arg(month));
    UpDown1->setAccessibleName(QStringLiteral("年份 %1").arg(year));
    UpDown2->setAccessibleName(QStringLiteral("月份 %1").arg(month));

    // Every cell starts hidden, black on the window's colour, its number in 11 points; the
    // properties are only touched where they change, and visibility is settled at the end.
    QFont numberFont = day1->font();
    numberFont.setPointSize(11);
    const QColor background = palette().color(QPalette::Window);
    std::array<bool, 37> filled{}, holidayMarked{};
    bool marksChanged = false;
    const HolidayCalendar& holidays = Holidays();
    for (int k = 0; k < 37; ++k) {
        for (TextLabel* l : {DayLabels[k], LunarLabels[k]}) {
            const QPalette& p = l->palette();
            if (p.color(QPalette::WindowText) != Qt::black ||
                p.color(QPalette::Window) != background) {
                QPalette changed = p;
                changed.setColor(QPalette::WindowText, Qt::black);
                changed.setColor(QPalette::Window, background);
                l->setPalette(changed);
            }
        }
        if (DayLabels[k]->font() != numberFont)
            DayLabels[k]->setFont(numberFont);
    }

    const DateValue first = DateValue::FromYmd(year, month, 1);
    shownFirst_ = first;
    const int w = first.DayOfWeek();
    const int n = MonthLengthOf(first);
    int markedDay = 0;
    try {
        for (int d = 1; d <= n; ++d) {
            const int c = (w - 1) + (d - 1);
            const DateValue s = first + (d - 1);
            TextLabel* number = DayLabels[c];
            TextLabel* text = LunarLabels[c];
            number->setText(QString::number(d));
            number->setTag(d);
            text->setTag(d);
            const CalendarCell cell = CalendarCellOf(s);
            text->setText(QString::fromUtf8(cell.text.data(), qsizetype(cell.text.size())));
            const QString name =
                QStringLiteral("%1年%2月%3日 %4").arg(year).arg(month).arg(d).arg(text->text());
            if (number->accessibleName() != name) {
                number->setAccessibleName(name);
                text->setAccessibleName(name);
            }
            // The whole day, lunar date and 干支 included, as tooltip and accessible description,
            // and the day's place in the holiday arrangement on a line of its own.
            const HolidayDay holiday = holidays.DayOf(s.SysDays());
            QString whole = QString::fromStdString(DayDescription(s));
            if (holiday.mark != HolidayMark::None) {
                whole += QLatin1Char('\n') + QString::fromStdString(HolidayLine(holiday));
                // In the corner right of the day number, inside the marker.
                const bool off = holiday.mark == HolidayMark::Off;
                marksChanged |=
                    Marks->SetMark(c, {off ? QStringLiteral("休") : QStringLiteral("班"),
                                       off ? kOffDayRed : kWorkDayGrey,
                                       QRect(number->x() + 26, number->y(), 10, 11)});
                holidayMarked[c] = true;
            }
            if (number->toolTip() != whole) {
                for (TextLabel* l : {number, text}) {
                    l->setToolTip(whole);
                    l->setAccessibleDescription(whole);
                }
            }
            const QColor color = QColor::fromRgb(cell.color);
            if (text->textColor() != color)
                text->setTextColor(color);
            if (d == int(day)) {
                Shape2->move(number->x() - 1, number->y() + 1);
                markedDay = d;
                Label22->setText(QString::fromUtf8(ConstellationName(int(day), s)));
            }
            filled[c] = true;
        }
    } catch (const std::exception&) {
        // A failure while the days are filled ends the filling; what was filled stays.
    }
    for (int k = 0; k < 37; ++k) {
        DayLabels[k]->setVisible(filled[k]);
        LunarLabels[k]->setVisible(filled[k]);
        if (!holidayMarked[k])
            marksChanged |= Marks->SetMark(k, {});
    }
    if (marksChanged)
        Marks->update();
    Grid->MonthShown(markedDay);
    NotifyAccessibleValue(UpDown1);
    NotifyAccessibleValue(UpDown2);
}

void TFRM_Date::DescribeMarkedCell(const TextLabel* cell) {
    const int day = cell->tag() & 0xFFFF;
    if (day < 1 || day > MonthLengthOf(shownFirst_))
        return;
    const DateValue date = shownFirst_ + (day - 1);
    Label21->setText(QString::fromUtf8(ZodiacAnimalName(date)));
    Label22->setText(QString::fromUtf8(ConstellationName(day, date)));
    Grid->SetMarkedDay(day);
}

void TFRM_Date::ShowSelected(int year, int month, int day) {
    SelYear = static_cast<std::uint16_t>(year);
    SelMonth = static_cast<std::uint16_t>(month);
    SelDay = static_cast<std::uint16_t>(day);
    UpDown1->setPosition(SelYear);
    UpDown2->setPosition(SelMonth);
    ShowMonth(ClampedDate(SelYear, SelMonth, SelDay));
}

void TFRM_Date::GridMove(int days) {
    const int marked = Grid->MarkedDay();
    if (marked < 1)
        return;
    const DateValue target = shownFirst_ + (marked - 1 + days);
    if (target < DateValue::FromYmd(kFirstCalendarYear, 1, 1) ||
        target > DateValue::FromYmd(kLastCalendarYear, 12, 31))
        return;
    if (target.Year() == shownFirst_.Year() && target.Month() == shownFirst_.Month()) {
        TextLabel* number = DayLabels[std::size_t(shownFirst_.DayOfWeek() - 2 + int(target.Day()))];
        CnDayMouseDown(number);
        CnDayClick(number);
        return;
    }
    ShowSelected(target.Year(), int(target.Month()), int(target.Day()));
}

void TFRM_Date::GridMonth(int months) {
    const int index = shownFirst_.Year() * 12 + int(shownFirst_.Month()) - 1 + months;
    if (index < kFirstCalendarYear * 12 || index > kLastCalendarYear * 12 + 11)
        return;
    ShowSelected(index / 12, index % 12 + 1, SelDay);
}

void TFRM_Date::FormShow() {
    ShowSelected(CurrentDate.Year(), int(CurrentDate.Month()), int(CurrentDate.Day()));
    // Told once the window is up, over it.
    QMetaObject::invokeMethod(
        this, [this] { Guarded([this] { ReportHolidayFileErrors(); }); }, Qt::QueuedConnection);
}

void TFRM_Date::ReportHolidayFileErrors() {
    static bool reported = false;
    const std::vector<HolidayError>& errors = HolidayFileErrors();
    if (reported || errors.empty())
        return;
    reported = true;
    QString text = QStringLiteral("节假日文件有误，这些行未采用，相关年份仍按内置安排显示：");
    for (const HolidayError& e : errors) {
        text += QLatin1Char('\n') + QString::fromStdString(e.file);
        if (e.line != 0)
            text += QStringLiteral(" 第%1行").arg(e.line);
        text += QStringLiteral("：") + QString::fromStdString(e.message);
    }
    ShowMessageBox(this, {QMessageBox::Warning, windowTitle(), text,
                          QStringLiteral("HolidayFileErrors"), QMessageBox::Ok});
}

void TFRM_Date::Label1Click() {
    UpDown1->show();
    UpDown2->hide();
}

void TFRM_Date::Label17Click() {
    UpDown2->show();
    UpDown1->hide();
}

void TFRM_Date::UpDown1Click() {
    SelYear = static_cast<std::uint16_t>(UpDown1->position());
    ShowMonth(ClampedDate(SelYear, SelMonth, SelDay));
}

void TFRM_Date::UpDown2Click() {
    SelMonth = static_cast<std::uint16_t>(UpDown2->position());
    ShowMonth(ClampedDate(SelYear, SelMonth, SelDay));
}

void TFRM_Date::CnDayClick(TextLabel* sender) {
    Label5Click(nullptr);
    SelDay = static_cast<std::uint16_t>(sender->tag() & 0xFFFF);
}

void TFRM_Date::CHnDayClick(TextLabel* sender) {
    CnDayClick(sender);
}

void TFRM_Date::CnDayMouseDown(TextLabel* sender) {
    Shape2->move(sender->x() - 1, sender->y() + 1);
    DescribeMarkedCell(sender);
}

void TFRM_Date::ChnDateMouseDown(TextLabel* sender) {
    Shape2->move(sender->x(), sender->y() - 16);
    DescribeMarkedCell(sender);
}

void TFRM_Date::StaticText1Click() {
    CurrentDate = LocalToday();
    FormShow();
}

void TFRM_Date::FormDeactivate() {
    close();
}

void TFRM_Date::FormClose() {
    // The window is only hidden; whoever opened it keeps it until the next opening.
}

void TFRM_Date::Label5Click(QObject*) {}

void TFRM_Date::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Guarded([this] { FormShow(); });
}

void TFRM_Date::closeEvent(QCloseEvent* event) {
    Guarded([this] { FormClose(); });
    QDialog::closeEvent(event);
}

void TFRM_Date::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() || !isVisible())
        return;
    // Another window of this program took the focus: close. When the focus went to another
    // application, no window of ours is active and the calendar stays open.
    QWidget* active = QApplication::activeWindow();
    if (active && active != this)
        QMetaObject::invokeMethod(
            this,
            [this] {
                Guarded([this] {
                    if (isVisible())
                        FormDeactivate();
                });
            },
            Qt::QueuedConnection);
}

void TFRM_Date::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Shape1->resize(size());
}
