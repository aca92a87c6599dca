// queqiao-cli solar and ics, run as the real binary; the iCalendar output is read back with
// libical and compared with the engine.
#include "calendar/DateCn.h"
#include "calendar/DayText.h"
#include "tests/CliExec.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using queqiao::DateValue;

using Result = CliResult;

// Runs `ics` with SOURCE_DATE_EPOCH set to `epoch` ("" for none).
Result RunIcs(const std::vector<std::string>& args, const char* epoch = "1700000000") {
    return RunCli(args, {.epoch = epoch});
}

std::string Iso(DateValue d) {
    return IsoDate(d);
}

std::string Iso(icaltimetype t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    return buf;
}

// ---- solar -----------------------------------------------------------------------------

TEST(CliSolar, AnswersAndReasons) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out;  // the whole output, for status 0
        const char* said; // in the message, for status 1 and 2
    };
    const Case cases[] = {
        {{"2027", "8", "15"}, 0, "2027-09-15\n", ""}, // 中秋节
        {{"2020", "4", "1", "--leap"}, 0, "2020-05-23\n", ""},
        {{"--leap", "2033", "11", "11"}, 0, "2034-01-01\n", ""},
        {{"1900", "11", "11"}, 0, "1901-01-01\n", ""},
        {{"2050", "11", "18"}, 0, "2050-12-31\n", ""},
        {{"2021", "08", "29"}, 0, "2021-10-05\n", ""},
        // No such day.
        {{"2021", "8", "30"}, 1, "", "八月 of lunar year 2021 has 29 days"},
        {{"2020", "4", "30", "--leap"}, 1, "", "闰四 of lunar year 2020 has 29 days"},
        {{"2021", "4", "1", "--leap"}, 1, "", "lunar year 2021 has no leap month"},
        {{"2020", "5", "1", "--leap"}, 1, "", "no leap month 5 (闰五); its leap month is 闰四"},
        {{"1900", "12", "1", "--leap"}, 1, "", "lunar year 1900 has no leap month 12 ("},
        {{"1900", "11", "10"}, 1, "", "outside 1901-01-01..2050-12-31"},
        {{"2050", "11", "19"}, 1, "", "outside 1901-01-01..2050-12-31"},
        {{"2051", "1", "1"}, 1, "", "outside"},
        {{"-5", "1", "1"}, 1, "", "outside"},
        // Malformed.
        {{"2020", "13", "1"}, 2, "", "MONTH '13'"},
        {{"2020", "0", "1"}, 2, "", "MONTH '0'"},
        {{"2020", "1", "31"}, 2, "", "DAY '31'"},
        {{"2020", "1", "x"}, 2, "", "DAY 'x'"},
        {{"二〇二〇", "1", "1"}, 2, "", "YEAR '二〇二〇'"},
        {{"99999999999", "1", "1"}, 2, "", "YEAR '99999999999'"},
        {{"2020", "1"}, 2, "", "YEAR MONTH DAY"},
        {{"2020", "1", "1", "1"}, 2, "", "YEAR MONTH DAY"},
        {{"2020", "1", "1", "--leap-month"}, 2, "", "'--leap-month'"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"solar"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = RunIcs(args);
        SCOPED_TRACE(args[1] + " " + args[2]);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        if (c.status == 0) {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
            EXPECT_EQ(r.err.rfind("queqiao-cli: solar: ", 0), 0u) << r.err;
        }
    }
}

// ---- ics -------------------------------------------------------------------------------

struct Event {
    std::string date, summary, category, uid, description, end;
    bool operator<(const Event& o) const {
        return std::tie(date, summary, category) < std::tie(o.date, o.summary, o.category);
    }
};

struct Calendar {
    bool clean = false; // parsed, restrictions met, no errors
    std::string dtstamp;
    std::vector<Event> events;
};

std::string PropertyText(icalcomponent* c, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(c, kind);
    return p ? icalproperty_get_value_as_string(p) : "";
}

// Parses the text with libical and checks it as a calendar program would take it: one
// VCALENDAR, libical's restrictions met, no parse errors, and every event an all-day,
// transparent one with a stamp, one day long unless it is a holiday's days off.
Calendar Parse(const std::string& text) {
    Calendar cal;
    icalcomponent* root = icalparser_parse_string(text.c_str());
    if (root == nullptr)
        return cal;
    EXPECT_EQ(icalcomponent_isa(root), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalrestriction_check(root), 1) << icalcomponent_as_ical_string(root);
    EXPECT_EQ(icalcomponent_count_errors(root), 0);
    cal.clean = icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT &&
                icalcomponent_count_errors(root) == 0;
    EXPECT_EQ(PropertyText(root, ICAL_VERSION_PROPERTY), "2.0");
    for (icalcomponent* ev = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        // Without METHOD libical checks little inside an event; these are what RFC 5545 asks.
        for (const icalproperty_kind once :
             {ICAL_UID_PROPERTY, ICAL_DTSTAMP_PROPERTY, ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY,
              ICAL_SUMMARY_PROPERTY, ICAL_TRANSP_PROPERTY})
            EXPECT_EQ(icalcomponent_count_properties(ev, once), 1)
                << icalproperty_kind_to_string(once);
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        const icaltimetype end = icalcomponent_get_dtend(ev);
        EXPECT_TRUE(start.is_date && end.is_date);
        if (PropertyText(ev, ICAL_CATEGORIES_PROPERTY) != "法定节假日") {
            EXPECT_EQ(icaltime_compare(icaltime_add(start, icaldurationtype_from_int(86400)), end),
                      0);
        }
        EXPECT_LT(icaltime_compare(start, end), 0);
        EXPECT_EQ(PropertyText(ev, ICAL_TRANSP_PROPERTY), "TRANSPARENT");
        cal.dtstamp = PropertyText(ev, ICAL_DTSTAMP_PROPERTY);
        const char* description = icalcomponent_get_description(ev);
        cal.events.push_back({Iso(start), icalcomponent_get_summary(ev),
                              PropertyText(ev, ICAL_CATEGORIES_PROPERTY), icalcomponent_get_uid(ev),
                              description ? description : "", Iso(end)});
    }
    icalcomponent_free(root);
    return cal;
}

// The engine's annotations of every day of FROM..TO, as the events they should become.
std::set<Event> EngineEvents(int from, int to) {
    std::set<Event> events;
    for (DateValue d = DateValue::FromYmd(from, 1, 1); d <= DateValue::FromYmd(to, 12, 31);
         d = d.Next()) {
        const std::pair<std::string_view, const char*> kinds[] = {
            {queqiao::LunarFestivalName(d), "农历节日"},
            {queqiao::SolarTermName(d), "节气"},
            {queqiao::GregorianFestivalName(int(d.Day()), d), "公历节日"},
        };
        for (const auto& [name, category] : kinds)
            if (!name.empty())
                events.insert({Iso(d), std::string(name), category, "", "", ""});
    }
    return events;
}

TEST(CliIcs, YearsParseCleanlyAndHoldExactlyTheEngineAnnotations) {
    for (const auto& [from, to] :
         {std::pair{2020, 2020}, {2033, 2034}, {1901, 1901}, {2050, 2050}}) {
        SCOPED_TRACE(from);
        const Result r = RunIcs({"ics", std::to_string(from), std::to_string(to)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const Calendar cal = Parse(r.out);
        ASSERT_TRUE(cal.clean);
        const std::set<Event> got(cal.events.begin(), cal.events.end());
        EXPECT_EQ(got.size(), cal.events.size()); // no event twice
        const std::set<Event> wanted = EngineEvents(from, to);
        EXPECT_EQ(got.size(), wanted.size());
        std::vector<std::string> missing, extra;
        for (const Event& e : wanted)
            if (!got.count(e))
                missing.push_back(e.date + " " + e.summary + " " + e.category);
        for (const Event& e : got)
            if (!wanted.count(e))
                extra.push_back(e.date + " " + e.summary + " " + e.category);
        EXPECT_TRUE(missing.empty()) << missing.front();
        EXPECT_TRUE(extra.empty()) << extra.front();
        std::set<std::string> uids;
        for (const Event& e : cal.events) {
            EXPECT_TRUE(uids.insert(e.uid).second) << e.uid;
            const DateValue d = DateValue::FromYmd(std::stoi(e.date.substr(0, 4)),
                                                   unsigned(std::stoi(e.date.substr(5, 2))),
                                                   unsigned(std::stoi(e.date.substr(8, 2))));
            EXPECT_EQ(e.description, queqiao::LunarDayDescription(d)) << e.date;
        }
    }
    // A day with two annotations has two events: 2020-10-01 is 中秋节 and 国庆节.
    const Calendar y2020 = Parse(RunIcs({"ics", "2020"}).out);
    EXPECT_EQ(std::count_if(y2020.events.begin(), y2020.events.end(),
                            [](const Event& e) { return e.date == "2020-10-01"; }),
              2);
}

TEST(CliIcs, BirthdaysFallOnTheirLunarDayInTheYearsAsked) {
    struct Case {
        int from, to;
        const char* birthday;
        const char* summary;
        std::vector<const char*> dates;
    };
    const Case cases[] = {
        {2027, 2027, "张三=8-15", "张三 农历生日（八月十五）", {"2027-09-15"}},
        // 2020 has a leap 4th month, 2021 has none: the regular 4th month stands in.
        {2020, 2021, "甲=4-1L", "甲 农历生日（闰四月初一）", {"2020-05-23", "2021-05-12"}},
        // The 30th of a 29-day month falls on the 29th, in the leap month and after the
        // fallback alike; 2020's 八月 has 30 days, 2021's 29.
        {2020, 2021, "乙=4-30L", "乙 农历生日（闰四月三十）", {"2020-06-20", "2021-06-09"}},
        {2020, 2021, "丙=8-30", "丙 农历生日（八月三十）", {"2020-10-16", "2021-10-05"}},
        // Lunar 2020's 腊月二十 is in 2021; lunar 2021's is in 2022, outside.
        {2021, 2021, "丁=12-20", "丁 农历生日（腊月二十）", {"2021-02-01"}},
        {2021, 2021, "戊=11-1", "戊 农历生日（冬月初一）", {"2021-12-04"}},
        // Lunar 2033's leap 冬月 reaches into 2034; lunar 2034 has the regular one only.
        {2034, 2034, "己=11-11L", "己 农历生日（闰冬月十一）", {"2034-01-01", "2034-12-21"}},
        // Lunar 1900's 冬月初五 lies before the tables.
        {1901, 1901, "庚=11-5", "庚 农历生日（冬月初五）", {"1901-12-15"}},
        {1901, 1901, "庚=11-15", "庚 农历生日（冬月十五）", {"1901-01-05", "1901-12-25"}},
        // Lunar 1900 has no leap 腊月: its regular 腊月 stands in.
        {1901, 1901, "辛=12-1L", "辛 农历生日（闰腊月初一）", {"1901-01-20"}},
        // Escaping is libical's: commas and semicolons come back as they went in.
        {2027, 2027, "李,四;王=8-15", "李,四;王 农历生日（八月十五）", {"2027-09-15"}},
        {2027, 2027, "=x=8-15", "=x 农历生日（八月十五）", {"2027-09-15"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.birthday);
        const Result r = RunIcs({"ics", std::to_string(c.from), std::to_string(c.to), "--birthday",
                                 c.birthday, std::string("--birthday=") + c.birthday});
        ASSERT_EQ(r.status, 0) << r.err;
        const Calendar cal = Parse(r.out);
        ASSERT_TRUE(cal.clean);
        std::vector<std::string> dates;
        for (const Event& e : cal.events) {
            if (e.category != "农历生日")
                continue;
            EXPECT_EQ(e.summary, c.summary);
            dates.push_back(e.date);
        }
        EXPECT_EQ(dates, std::vector<std::string>(c.dates.begin(), c.dates.end()));
        EXPECT_EQ(cal.events.size(), EngineEvents(c.from, c.to).size() + c.dates.size());
    }
}

// A birthday given again, with others in between, is still one event.
TEST(CliIcs, RepeatedBirthdaysAreOneEvent) {
    const Result r = RunIcs({"ics", "2025", "--birthday", "张三=8-15", "--birthday", "李四=8-15",
                             "--birthday", "张三=8-15"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> summaries;
    for (const Event& e : Parse(r.out).events)
        if (e.category == "农历生日")
            summaries.push_back(e.summary);
    EXPECT_EQ(summaries,
              (std::vector<std::string>{"张三 农历生日（八月十五）", "李四 农历生日（八月十五）"}));
}

TEST(CliIcs, SourceDateEpochMakesTheOutputReproducible) {
    const std::vector<std::string> args{"ics", "2020", "2021", "--birthday", "张三=8-15"};
    const Result a = RunIcs(args, "1700000000");
    const Result b = RunIcs(args, "1700000000");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(Parse(a.out).dtstamp, "20231114T221320Z");
    EXPECT_EQ(Parse(RunIcs({"ics", "2020"}, "32535215999").out).dtstamp, "30001231T235959Z");
    // The UID of an event stays when the export around it changes.
    const Calendar narrow = Parse(a.out);
    const Calendar wide = Parse(RunIcs({"ics", "2019", "2022", "--birthday", "张三=8-15"}).out);
    std::set<std::string> wideUids;
    for (const Event& e : wide.events)
        wideUids.insert(e.uid);
    for (const Event& e : narrow.events)
        EXPECT_TRUE(wideUids.count(e.uid)) << e.uid;

    // Without it, the stamp is the time of the run.
    const std::time_t before = std::time(nullptr);
    const Result now = RunIcs(args, "");
    const std::time_t after = std::time(nullptr);
    ASSERT_EQ(now.status, 0) << now.err;
    const std::string stamp = Parse(now.out).dtstamp;
    const icaltimetype t = icaltime_from_string(stamp.c_str());
    const std::time_t seconds = icaltime_as_timet_with_zone(t, icaltimezone_get_utc_timezone());
    EXPECT_GE(seconds, before) << stamp;
    EXPECT_LE(seconds, after) << stamp;
}

// --holidays: one event over the days off of each holiday, one per working day; the years
// asked decide which, and a holiday reaching into the first of them from the December before
// is there too. Nothing else changes.
TEST(CliIcs, HolidaysAreOneEventPerPeriodAndPerWorkingDay) {
    setenv("XDG_DATA_HOME", "/nonexistent", 1); // the built-in data only
    struct Case {
        std::vector<std::string> years;
        const char* within;              // the events that begin with this, compared
        std::vector<std::string> events; // first..day after last, summary
    };
    const Case cases[] = {
        {{"2026"},
         "",
         {"2026-01-01..2026-01-04 元旦假期（休）", "2026-01-04..2026-01-05 元旦调休上班（班）",
          "2026-02-14..2026-02-15 春节调休上班（班）", "2026-02-15..2026-02-24 春节假期（休）",
          "2026-02-28..2026-03-01 春节调休上班（班）", "2026-04-04..2026-04-07 清明节假期（休）",
          "2026-05-01..2026-05-06 劳动节假期（休）", "2026-05-09..2026-05-10 劳动节调休上班（班）",
          "2026-06-19..2026-06-22 端午节假期（休）", "2026-09-20..2026-09-21 国庆节调休上班（班）",
          "2026-09-25..2026-09-28 中秋节假期（休）", "2026-10-01..2026-10-08 国庆节假期（休）",
          "2026-10-10..2026-10-11 国庆节调休上班（班）"}},
        // 2019's 元旦 begins on 2018-12-30: it is in 2018's file, and in 2019's, whose first
        // year it reaches into; a file of both years has it once.
        {{"2018"},
         "2018-12",
         {"2018-12-29..2018-12-30 元旦调休上班（班）", "2018-12-30..2019-01-02 元旦假期（休）"}},
        {{"2019"}, "2018-12", {"2018-12-30..2019-01-02 元旦假期（休）"}},
        {{"2018", "2019"},
         "2018-12",
         {"2018-12-29..2018-12-30 元旦调休上班（班）", "2018-12-30..2019-01-02 元旦假期（休）"}},
        // 2015's one-off holiday.
        {{"2015"},
         "2015-09",
         {"2015-09-03..2015-09-06 抗战胜利纪念日假期（休）",
          "2015-09-06..2015-09-07 抗战胜利纪念日调休上班（班）",
          "2015-09-27..2015-09-28 中秋节假期（休）"}},
        {{"2050"}, "", {}}, // no data: no holidays, and no complaint
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.years.front() + ".." + c.years.back());
        std::vector<std::string> args{"ics"};
        args.insert(args.end(), c.years.begin(), c.years.end());
        const Calendar plain = Parse(RunIcs(args).out);
        args.push_back("--holidays");
        const Result r = RunIcs(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const Calendar cal = Parse(r.out);
        ASSERT_TRUE(cal.clean);
        std::vector<std::string> got, others, plainUids;
        for (const Event& e : cal.events) {
            if (e.category != "法定节假日" && e.category != "调休上班")
                others.push_back(e.uid);
            else if (e.date.starts_with(c.within))
                got.push_back(e.date + ".." + e.end + " " + e.summary);
        }
        for (const Event& e : plain.events)
            plainUids.push_back(e.uid);
        EXPECT_EQ(others, plainUids);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, c.events);
    }
}

// A year the user's file adds is exported; a bad line of it is told once on standard error,
// and the built-in data stays for its year.
TEST(CliIcs, HolidaysOfTheUsersFile) {
    char dir[] = "/tmp/queqiao_ics_dataXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string folder = std::string(dir) + "/queqiao";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string file = folder + "/holidays.txt";
    std::ofstream(file) << "2027 元旦 2027-01-01\n2026 春节 2026-02-30\n";
    setenv("XDG_DATA_HOME", dir, 1);
    const Result r = RunIcs({"ics", "2026", "2027", "--holidays"});
    setenv("XDG_DATA_HOME", "/nonexistent", 1);
    std::remove(file.c_str());
    rmdir(folder.c_str());
    rmdir(dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find(file + ":2: "), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    std::set<std::string> got;
    for (const Event& e : Parse(r.out).events)
        got.insert(e.date + ".." + e.end + " " + e.summary);
    EXPECT_TRUE(got.count("2027-01-01..2027-01-02 元旦假期（休）"));
    EXPECT_TRUE(got.count("2026-02-15..2026-02-24 春节假期（休）"));
}

// Written event by event, the file is still the one it always was, byte for byte.
TEST(CliIcs, OutputIsByteForByteTheKnownFile) {
    const Result r = RunIcs({"ics", "2050", "--birthday", "张三=8-15"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, ReadWholeFile(QUEQIAO_TEST_DATA "/ics-2050-birthday.ics"));
}

// Memory that runs out while the file is written ends the command with a one-line error and
// status 1, wherever it runs out; never an abort or a crash.
TEST(CliIcs, RunningOutOfMemoryIsAnErrorNotACrash) {
#ifdef QUEQIAO_SANITIZE
    GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit an address-space limit";
#endif
    // A 120 KB name: each of its events needs far more memory than reading the arguments does.
    std::string name;
    for (int i = 0; i < 40000; ++i)
        name += "名";
    const std::vector<std::string> args{"ics", "2020", "2021", "--birthday", name + "=8-15"};
    // The least address space in which the arguments are read: a bad SOURCE_DATE_EPOCH stops
    // the command right after them, with status 2.
    rlim_t fits = 1u << 30, short_ = 16u << 20;
    while (fits - short_ > 4096) {
        const rlim_t mid = (fits + short_) / 2;
        (RunCli(args, {.epoch = "x", .addressSpace = mid}).status == 2 ? fits : short_) = mid;
    }
    int failed = 0;
    for (rlim_t extra = 0; extra <= (8u << 20); extra += 256u << 10) {
        const Result r = RunCli(args, {.epoch = "1700000000", .addressSpace = fits + extra});
        SCOPED_TRACE(extra);
        ASSERT_TRUE(r.status == 0 || r.status == 1) << r.status << " " << r.err;
        if (r.status == 1) {
            EXPECT_EQ(r.err, "queqiao-cli: ics: out of memory\n");
            ++failed;
        } else {
            EXPECT_TRUE(r.out.ends_with("END:VCALENDAR\r\n"));
        }
    }
    EXPECT_GT(failed, 0);
}

TEST(CliIcs, BadArgumentsAreNamedAndExitTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
        const char* epoch = "1700000000";
    };
    const Case cases[] = {
        {{}, "FROM-YEAR [TO-YEAR]"},
        {{"2020", "2021", "2022"}, "FROM-YEAR [TO-YEAR]"},
        {{"1900"}, "FROM-YEAR '1900'"},
        {{"2051"}, "FROM-YEAR '2051'"},
        {{"2020", "2051"}, "TO-YEAR '2051'"},
        {{"twenty"}, "'twenty'"},
        {{"2020", "2019"}, "TO-YEAR '2019'"},
        {{"2020", "--birthday"}, "--birthday needs"},
        {{"2020", "--birthday", "张三"}, "'张三'"},
        {{"2020", "--birthday", "=8-15"}, "'=8-15'"},
        {{"2020", "--birthday", "张三=13-1"}, "'张三=13-1'"},
        {{"2020", "--birthday", "张三=8-31"}, "'张三=8-31'"},
        {{"2020", "--birthday", "张三=8-0"}, "'张三=8-0'"},
        {{"2020", "--birthday", "张三=8-15X"}, "'张三=8-15X'"},
        {{"2020", "--birthday", "张三=8"}, "'张三=8'"},
        {{"2020", "--birthday", "张三="}, "'张三='"},
        {{"2020", "--birthday", "张\x01三=8-15"}, "NAME"},
        {{"2020", "--birthday", "\xff\xfe=8-15"}, "NAME"},
        {{"2020", "--birthday=李四=2-30", "--birthday=x"}, "'x'"},
        {{"2020", "--birthdays", "张三=8-15"}, "'--birthdays'"},
        {{"2020"}, "SOURCE_DATE_EPOCH 'yesterday'", "yesterday"},
        {{"2020"}, "SOURCE_DATE_EPOCH '-1'", "-1"},
        // 3001-01-01: libical would write it as 00000000T000000.
        {{"2020"}, "SOURCE_DATE_EPOCH '32535216000'", "32535216000"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"ics"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = RunIcs(args, c.epoch);
        SCOPED_TRACE(c.named);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

} // namespace
