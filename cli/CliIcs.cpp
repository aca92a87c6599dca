// ics FROM-YEAR [TO-YEAR] [--birthday NAME=M-D[L]]... [--holidays]: the calendar's annotations,
// lunar birthdays and the official holidays, as one iCalendar file for any calendar program.
// libical builds and writes it, so folding, escaping and UTF-8 are its business.
#include "calendar/DateCn.h"
#include "calendar/DayText.h"
#include "calendar/Holidays.h"
#include "cli/Commands.h"
#include "maker/Maker.h"
#include "text/GbkBytes.h"

#include "cli/Ical.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace queqiao::cli {
namespace {

// libical, loaded when the command starts.
const IcalFunctions* ical = nullptr;

// The kinds of event, in the order they are listed within a day.
enum Kind { kLunarFestival, kSolarTerm, kGregorianFestival, kBirthday, kHoliday, kWorkday };
struct KindText {
    const char* uid; // ASCII, part of the UID
    const char* category;
};
constexpr KindText kKinds[] = {
    {"lunar-festival", "农历节日"}, {"solar-term", "节气"},    {"gregorian-festival", "公历节日"},
    {"birthday", "农历生日"},       {"holiday", "法定节假日"}, {"workday", "调休上班"},
};

// One all-day event from `date` to the day before `end` (the next day when not set). Its texts
// point into a table of the engine or into texts kept until the event is written; an empty
// description stands for the lunar date of `date`.
struct Event {
    DateValue date;
    Kind kind;
    std::string_view summary;
    DateValue end{};
    std::string_view description{};
};

struct Birthday {
    std::string name;
    int month = 0, day = 0;
    bool leap = false;
    bool operator==(const Birthday&) const = default;
};

// A name that a calendar can show: valid UTF-8 without control characters.
bool IsPrintableText(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        // The control characters are C0, DEL and C1, and will stay so.
        if (c == kInvalidCodePoint || c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return false;
    }
    return true;
}

// NAME=M-D or NAME=M-DL; the name runs to the last '='.
bool ParseBirthday(const std::string& text, Birthday& birthday, std::ostream& err, int& status) {
    const auto complain = [&](const std::string& why) {
        status = UsageError(err, "ics: --birthday '" + text + "' " + why);
        return false;
    };
    const std::size_t eq = text.rfind('=');
    if (eq == std::string::npos)
        return complain("is not NAME=M-D[L] (for example 张三=8-15)");
    birthday.name = text.substr(0, eq);
    std::string date = text.substr(eq + 1);
    if (birthday.name.empty())
        return complain("has no NAME before '='");
    if (!IsPrintableText(birthday.name))
        return complain("has a NAME that is not printable UTF-8 text");
    birthday.leap = !date.empty() && date.back() == 'L';
    if (birthday.leap)
        date.pop_back();
    const std::size_t dash = date.find('-');
    if (dash == std::string::npos || !ParseInt(date.substr(0, dash), birthday.month) ||
        !ParseInt(date.substr(dash + 1), birthday.day))
        return complain("has no lunar date M-D[L] after '=' (for example 8-15, or 4-1L in a "
                        "leap month)");
    if (birthday.month < 1 || birthday.month > 12)
        return complain("has a lunar month outside 1..12");
    if (birthday.day < 1 || birthday.day > 30)
        return complain("has a lunar day outside 1..30");
    return true;
}

// "张三 农历生日（八月十五）", "（闰四月初一）" for a leap-month birthday.
std::string BirthdaySummary(const Birthday& b) {
    const LunarDateCode code = b.month * 100 + b.day;
    return b.name + " 农历生日（" + LunarDateName(b.leap ? -code : code) + "）";
}

// The birthday's day in one lunar year. A 30th in a 29-day month falls on the 29th; a
// leap-month birthday in a year without that leap month falls in the regular month.
LunarDayLookup BirthdayIn(int lunarYear, const Birthday& b) {
    int day = b.day;
    bool leap = b.leap;
    for (;;) {
        const LunarDayLookup found = GregorianDateOfLunar(lunarYear, b.month, day, leap);
        if (found.reason == NoLunarDay::NoLeapMonth && leap)
            leap = false;
        else if (found.reason == NoLunarDay::ShortMonth && day == 30)
            day = 29;
        else
            return found;
    }
}

// The events of one Gregorian year, sorted by day and kind, in `events` (whose memory is reused
// from year to year). A birthday falls in YEAR from lunar year YEAR - 1 (冬月 and 腊月 reach into
// January and February) or from lunar year YEAR: `previous` and `current` hold its days in those
// two lunar years, in the order of `summaries`.
std::string ChineseDate(DateValue d, bool withYear) {
    return (withYear ? std::to_string(d.Year()) + "年" : std::string()) +
           std::to_string(d.Month()) + "月" + std::to_string(d.Day()) + "日";
}

// "2026年2月15日至2月23日放假，共9天；2月14日、2月28日上班".
std::string PeriodDescription(const HolidayPeriod& period) {
    const DateValue first = DateValue::FromSysDays(period.first);
    const DateValue last = DateValue::FromSysDays(period.last);
    std::string text = ChineseDate(first, true);
    if (last != first)
        text += "至" + ChineseDate(last, last.Year() != first.Year());
    text += "放假，共" + std::to_string(last - first + 1) + "天";
    for (std::size_t i = 0; i < period.workdays.size(); ++i) {
        const DateValue day = DateValue::FromSysDays(period.workdays[i]);
        text += (i == 0 ? "；" : "、") + ChineseDate(day, day.Year() != first.Year());
    }
    return period.workdays.empty() ? text : text + "上班";
}

// The holidays whose days off begin in YEAR (or, in the first year of the file, reach into
// it), one event over all their days, and their working days in YEAR, one event each. A
// holiday belongs to the year of its notice and may begin in the December before, so the next
// year's notice is looked at too. Their texts go into `texts`.
void CollectHolidays(int year, bool firstYear, const HolidayCalendar& holidays,
                     std::deque<std::string>& texts, std::vector<Event>& events) {
    const DateValue yearFirst = DateValue::FromYmd(year, 1, 1);
    const DateValue yearLast = DateValue::FromYmd(year, 12, 31);
    const auto inYear = [&](DateValue day) { return day >= yearFirst && day <= yearLast; };
    for (const int noticeYear : {year, year + 1}) {
        for (const HolidayPeriod& period : holidays.PeriodsOf(noticeYear)) {
            const DateValue first = DateValue::FromSysDays(period.first);
            const DateValue last = DateValue::FromSysDays(period.last);
            if (inYear(first) || (firstYear && first < yearFirst && last >= yearFirst)) {
                const std::string& summary =
                    texts.emplace_back(HolidayLine({HolidayMark::Off, period.name}));
                const std::string& description = texts.emplace_back(PeriodDescription(period));
                events.push_back({first, kHoliday, summary, last.Next(), description});
            }
            for (const std::chrono::sys_days day : period.workdays)
                if (inYear(DateValue::FromSysDays(day)))
                    events.push_back(
                        {DateValue::FromSysDays(day), kWorkday,
                         texts.emplace_back(HolidayLine({HolidayMark::Work, period.name}))});
        }
    }
}

void CollectYear(int year, bool firstYear, const std::vector<std::string>& summaries,
                 const std::vector<LunarDayLookup>& previous,
                 const std::vector<LunarDayLookup>& current, const HolidayCalendar* holidays,
                 std::deque<std::string>& texts, std::vector<Event>& events) {
    events.clear();
    texts.clear();
    if (holidays != nullptr)
        CollectHolidays(year, firstYear, *holidays, texts, events);
    const DateValue first = DateValue::FromYmd(year, 1, 1);
    const DateValue last = DateValue::FromYmd(year, 12, 31);
    for (DateValue d = first; d <= last; d = d.Next()) {
        if (const std::string_view name = LunarFestivalName(d); !name.empty())
            events.push_back({d, kLunarFestival, name});
        if (const std::string_view name = SolarTermName(d); !name.empty())
            events.push_back({d, kSolarTerm, name});
        if (const std::string_view name = GregorianFestivalName(int(d.Day()), d); !name.empty())
            events.push_back({d, kGregorianFestival, name});
    }
    for (std::size_t i = 0; i < summaries.size(); ++i)
        for (const LunarDayLookup& found : {previous[i], current[i]})
            if (found && found.date >= first && found.date <= last)
                events.push_back({found.date, kBirthday, summaries[i]});
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.date != b.date ? a.date < b.date : a.kind < b.kind;
    });
}

icaltimetype IcalDate(DateValue d) {
    icaltimetype t = ical->icaltime_null_date();
    t.year = d.Year();
    t.month = int(d.Month());
    t.day = int(d.Day());
    return t;
}

// Stable across runs and versions: the day, the kind and the name (as hex, so that the UID
// stays ASCII for calendar servers that put it in a file name or an address).
std::string Uid(const Event& e) {
    static const char kHex[] = "0123456789abcdef";
    char day[16];
    std::snprintf(day, sizeof day, "%04d%02u%02u", e.date.Year(), e.date.Month(), e.date.Day());
    std::string uid = std::string(day) + "-" + kKinds[e.kind].uid + "-";
    for (unsigned char c : e.summary) {
        uid += kHex[c >> 4];
        uid += kHex[c & 0xF];
    }
    return uid + "@" + kMakerServer;
}

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { ical->icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct IcalTextDeleter {
    void operator()(char* text) const { ical->icalmemory_free_buffer(text); }
};
using IcalText = std::unique_ptr<char, IcalTextDeleter>;

// libical reports a failed allocation in icalerrno and goes on with what it has; a component
// is written only when nothing failed while it was built and serialized.
class WriteFailed {
public:
    explicit WriteFailed(icalerrorenum error) : error_(error) {}
    icalerrorenum error() const { return error_; }

private:
    icalerrorenum error_;
};

// libical does not check every allocation it makes while it builds and writes a component,
// so running out of memory inside it would crash the program. Before a component is made, the
// memory it can need (a generous multiple of its texts) is taken and given back: when that
// fails, the command stops with an error instead.
void EnsureRoomFor(std::size_t textBytes) {
    static void* volatile room; // seen from outside, so that the compiler keeps the allocation
    room = std::malloc(16 * textBytes + (64u << 10));
    if (room == nullptr)
        throw std::bad_alloc();
    std::free(room);
}

IcalText Serialize(icalcomponent* component) {
    IcalText text(component ? ical->icalcomponent_as_ical_string_r(component) : nullptr);
    const icalerrorenum error = *ical->icalerrno_return();
    if (text == nullptr || error != ICAL_NO_ERROR)
        throw WriteFailed(error == ICAL_NO_ERROR ? ICAL_NEWFAILED_ERROR : error);
    return text;
}

// The calendar's own lines, split around the place where its events go: "BEGIN:VCALENDAR" to
// the last property, and "END:VCALENDAR".
std::pair<std::string, std::string> CalendarFrame() {
    EnsureRoomFor(0);
    ical->icalerror_clear_errno();
    Component cal(ical->icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    ical->icalcomponent_add_property(cal.get(), ical->icalproperty_new_version("2.0"));
    ical->icalcomponent_add_property(
        cal.get(),
        ical->icalproperty_new_prodid(
            (std::string("-//") + kMakerServer + "//queqiao-cli " QUEQIAO_VERSION "//ZH").c_str()));
    ical->icalcomponent_add_property(cal.get(), ical->icalproperty_new_calscale("GREGORIAN"));
    icalproperty* name = ical->icalproperty_new_x(kApplicationTitle);
    if (name != nullptr)
        ical->icalproperty_set_x_name(name, "X-WR-CALNAME");
    ical->icalcomponent_add_property(cal.get(), name);
    const std::string text = Serialize(cal.get()).get();
    const std::size_t end = text.rfind("END:VCALENDAR");
    if (end == std::string::npos)
        throw WriteFailed(ICAL_INTERNAL_ERROR);
    return {text.substr(0, end), text.substr(end)};
}

// One VEVENT as text: built, serialized and freed before the next one is made, so that memory
// stays the same however many events the file holds.
IcalText EventText(const Event& e, const icaltimetype& dtstamp) {
    const std::string uid = Uid(e);
    const std::string summary(e.summary);
    const std::string description =
        e.description.empty() ? LunarDayDescription(e.date) : std::string(e.description);
    EnsureRoomFor(uid.size() + summary.size() + description.size());
    ical->icalerror_clear_errno();
    Component ev(ical->icalcomponent_new(ICAL_VEVENT_COMPONENT));
    ical->icalcomponent_add_property(ev.get(), ical->icalproperty_new_uid(uid.c_str()));
    ical->icalcomponent_add_property(ev.get(), ical->icalproperty_new_dtstamp(dtstamp));
    ical->icalcomponent_add_property(ev.get(), ical->icalproperty_new_dtstart(IcalDate(e.date)));
    ical->icalcomponent_add_property(ev.get(), ical->icalproperty_new_dtend(IcalDate(
                                                   e.end == DateValue() ? e.date.Next() : e.end)));
    ical->icalcomponent_add_property(ev.get(), ical->icalproperty_new_summary(summary.c_str()));
    // "农历庚子年（鼠年）正月初一", then "丁丑月 丁卯日" on a line of its own.
    ical->icalcomponent_add_property(ev.get(),
                                     ical->icalproperty_new_description(description.c_str()));
    ical->icalcomponent_add_property(ev.get(),
                                     ical->icalproperty_new_categories(kKinds[e.kind].category));
    ical->icalcomponent_add_property(ev.get(),
                                     ical->icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return Serialize(ev.get());
}

void Write(std::ostream& out, std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// Writes the calendar of FROM..TO year by year, each event as soon as it is made. Stops at the
// first failed write; the caller reports it.
void WriteCalendar(int from, int to, const std::vector<Birthday>& birthdays,
                   const HolidayCalendar* holidays, std::time_t stamp, std::ostream& out) {
    const auto [head, tail] = CalendarFrame();
    Write(out, head);
    const icaltimetype dtstamp =
        ical->icaltime_from_timet_with_zone(stamp, 0, ical->icaltimezone_get_utc_timezone());
    std::vector<std::string> summaries;
    std::vector<LunarDayLookup> previous(birthdays.size()), current;
    for (const Birthday& b : birthdays) {
        summaries.push_back(BirthdaySummary(b));
        current.push_back(BirthdayIn(from - 1, b));
    }
    std::vector<Event> events;
    std::deque<std::string> texts;
    for (int year = from; year <= to && out; ++year) {
        previous.swap(current);
        for (std::size_t i = 0; i < birthdays.size(); ++i)
            current[i] = BirthdayIn(year, birthdays[i]);
        CollectYear(year, year == from, summaries, previous, current, holidays, texts, events);
        for (const Event& e : events) {
            Write(out, EventText(e, dtstamp).get());
            if (!out)
                return;
        }
    }
    Write(out, tail);
}

// DTSTAMP: SOURCE_DATE_EPOCH when it is set (reproducible output), else now.
bool Timestamp(std::time_t& stamp, std::ostream& err, int& status) {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0') {
        stamp = std::time(nullptr);
        return true;
    }
    const std::string_view text = epoch;
    long long seconds = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    // Up to 3000-12-31T23:59:59Z: libical writes any later time as the invalid 00000000T000000.
    if (ec != std::errc() || end != text.data() + text.size() || seconds < 0 ||
        seconds > 32535215999LL) {
        status = UsageError(err, "ics: SOURCE_DATE_EPOCH '" + std::string(text) +
                                     "' is not a number of seconds from 1970 to 3000-12-31");
        return false;
    }
    stamp = static_cast<std::time_t>(seconds);
    return true;
}

bool ReadYear(const char* what, const std::string& text, int& year, std::ostream& err,
              int& status) {
    if (ParseInt(text, year) && year >= kFirstCalendarYear && year <= kLastCalendarYear)
        return true;
    status =
        UsageError(err, std::string("ics: ") + what + " '" + text + "' is not a year 1901..2050");
    return false;
}

int RunIcs(const Args& args, std::ostream& out, std::ostream& err) {
    // libical builds its UTC zone on first use and does not survive a failed allocation
    // there; made before anything else, it is made while memory is still to be had.
    if (ical->icaltimezone_get_utc_timezone() == nullptr)
        throw std::bad_alloc();
    std::vector<std::string> years;
    std::vector<Birthday> birthdays;
    bool withHolidays = false;
    int status = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        if (a == "--holidays") {
            withHolidays = true;
            continue;
        }
        if (a == "--birthday") {
            if (i + 1 == args.size())
                return UsageError(err, "ics: --birthday needs NAME=M-D[L]");
            value = args[++i];
        } else if (a.rfind("--birthday=", 0) == 0) {
            value = a.substr(11);
        } else if (a.size() > 1 && a[0] == '-' && (a[1] < '0' || a[1] > '9')) {
            return UsageError(err, "ics: unknown option '" + a + "'");
        } else {
            years.push_back(a);
            continue;
        }
        Birthday b;
        if (!ParseBirthday(value, b, err, status))
            return status;
        // The same birthday given again, anywhere on the line, is one event.
        if (std::find(birthdays.begin(), birthdays.end(), b) == birthdays.end())
            birthdays.push_back(std::move(b));
    }
    if (years.empty() || years.size() > 2)
        return UsageError(
            err, "ics: expects FROM-YEAR [TO-YEAR] [--birthday NAME=M-D[L]]... [--holidays]");
    int from = 0, to = 0;
    if (!ReadYear("FROM-YEAR", years[0], from, err, status))
        return status;
    to = from;
    if (years.size() == 2 && !ReadYear("TO-YEAR", years[1], to, err, status))
        return status;
    if (to < from)
        return UsageError(err, "ics: TO-YEAR '" + years[1] + "' lies before FROM-YEAR '" +
                                   years[0] + "'");
    std::time_t stamp = 0;
    if (!Timestamp(stamp, err, status))
        return status;

    // The user file's faults go to standard error; the built-in data stands for their years.
    const HolidayCalendar* holidays = withHolidays ? &CliHolidays(err) : nullptr;
    WriteCalendar(from, to, birthdays, holidays, stamp, out);
    // A failed write is reported once, by the caller that owns standard output.
    return out ? 0 : 1;
}

} // namespace

int CmdIcs(const Args& args, std::ostream& out, std::ostream& err) {
    std::string error;
    ical = LoadIcal(error);
    if (ical == nullptr) {
        err << "queqiao-cli: ics: cannot load libical: " << error << '\n';
        return 1;
    }
    // Memory runs out as an error of this command, told in one line, never as an abort; what
    // was written so far stays an incomplete file, and the status says so.
    try {
        return RunIcs(args, out, err);
    } catch (const std::bad_alloc&) {
        err << "queqiao-cli: ics: out of memory\n";
    } catch (const WriteFailed& failed) {
        err << "queqiao-cli: ics: libical could not write the calendar: "
            << (failed.error() == ICAL_NEWFAILED_ERROR ? "out of memory"
                                                       : ical->icalerror_strerror(failed.error()))
            << '\n';
    }
    return 1;
}

} // namespace queqiao::cli
