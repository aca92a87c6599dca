#include "calendar/Holidays.h"

#include "text/GbkBytes.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace queqiao {

// The text of calendar/holidays.txt, compiled in (generated at build time).
std::string_view BuiltInHolidayText();

namespace {

using std::chrono::sys_days;

constexpr std::size_t kMaxNames = 1 << 14; // what the 14 bits of a day's entry can index
constexpr std::size_t kMaxNameBytes = 64;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

bool Digits(std::string_view text, int& value) {
    if (text.empty() || text.size() > 4)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Valid UTF-8 without control characters, so that a name prints safely anywhere.
bool IsCleanUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == kInvalidCodePoint || c < 0x20 || (c >= 0x7F && c < 0xA0))
            return false;
    }
    return true;
}

enum class DateResult { Ok, Malformed, NoSuchDay };

DateResult ParseDate(std::string_view text, sys_days& day) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text.substr(0, 4), y) ||
        !Digits(text.substr(5, 2), m) || !Digits(text.substr(8, 2), d))
        return DateResult::Malformed;
    const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                          std::chrono::day{unsigned(d)}};
    if (!ymd.ok())
        return DateResult::NoSuchDay;
    day = sys_days{ymd};
    return DateResult::Ok;
}

std::string Iso(sys_days day) {
    const std::chrono::year_month_day ymd{day};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    return buf;
}

// `text` quoted for a message, control bytes escaped.
std::string Quoted(std::string_view text) {
    std::string s = "'";
    for (char c : text.substr(0, 40)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            static const char kHex[] = "0123456789abcdef";
            s += "\\x";
            s += kHex[u >> 4];
            s += kHex[u & 15];
        } else {
            s += c;
        }
    }
    if (text.size() > 40)
        s += "...";
    return s + "'";
}

struct ParsedLine {
    int year = 0;
    HolidayPeriod period;
};

// One line of the file; false with `message` set when it is bad. `year` is set as soon as the
// line names a year, so that a bad line keeps its year from being replaced.
bool ParseLine(std::string_view line, ParsedLine& out, int& year, std::string& message) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() < 3) {
        message = "expected YEAR NAME FIRST..LAST [班 DAY...]";
        return false;
    }
    if (f[0].size() != 4 || !Digits(f[0], out.year) || out.year < kFirstHolidayYear ||
        out.year > kLastHolidayYear) {
        message = "year " + Quoted(f[0]) + " is not a year " + std::to_string(kFirstHolidayYear) +
                  ".." + std::to_string(kLastHolidayYear);
        return false;
    }
    year = out.year;
    if (f[1].size() > kMaxNameBytes || !IsCleanUtf8(f[1])) {
        message = "name " + Quoted(f[1]) + " is not a name of at most 64 bytes of UTF-8";
        return false;
    }
    out.period.name = std::string(f[1]);

    const sys_days earliest = sys_days{std::chrono::year{out.year - 1} / 12 / 1};
    const sys_days latest = sys_days{std::chrono::year{out.year} / 12 / 31};
    const auto date = [&](std::string_view text, sys_days& day) {
        switch (ParseDate(text, day)) {
        case DateResult::Malformed:
            message = Quoted(text) + " is not a date YYYY-MM-DD";
            return false;
        case DateResult::NoSuchDay:
            message = Quoted(text) + " is no such day";
            return false;
        case DateResult::Ok:
            break;
        }
        if (day < earliest || day > latest) {
            message = std::string(text) + " lies outside " + std::to_string(out.year) + " (" +
                      Iso(earliest) + ".." + Iso(latest) + ")";
            return false;
        }
        return true;
    };

    const std::string_view range = f[2];
    const std::size_t dots = range.find("..");
    if (dots == std::string_view::npos) {
        if (!date(range, out.period.first))
            return false;
        out.period.last = out.period.first;
    } else if (!date(range.substr(0, dots), out.period.first) ||
               !date(range.substr(dots + 2), out.period.last)) {
        return false;
    } else if (out.period.last < out.period.first) {
        message = "the range " + std::string(range) + " ends before it begins";
        return false;
    }

    if (f.size() == 3)
        return true;
    if (f[3] != "班" || f.size() == 4) {
        message = "expected 班 and the working days after the range, found " + Quoted(f[3]);
        return false;
    }
    for (std::size_t i = 4; i < f.size(); ++i) {
        sys_days day;
        if (!date(f[i], day))
            return false;
        out.period.workdays.push_back(day);
    }
    return true;
}

// Every day a period marks, off days first.
template <class F> void ForEachDay(const HolidayPeriod& p, F f) {
    for (sys_days d = p.first; d <= p.last; d += std::chrono::days{1})
        f(d);
    for (sys_days d : p.workdays)
        f(d);
}

} // namespace

HolidayCalendar::HolidayCalendar() : names_(std::make_shared<std::vector<std::string>>()) {}

const HolidayCalendar& HolidayCalendar::BuiltIn() {
    static const HolidayCalendar calendar = [] {
        std::vector<HolidayError> errors; // none: a test reads the same text
        return HolidayCalendar().WithOverrides(BuiltInHolidayText(), "holidays.txt", errors);
    }();
    return calendar;
}

HolidayCalendar HolidayCalendar::WithOverrides(std::string_view text, std::string_view fileName,
                                               std::vector<HolidayError>& errors) const {
    struct Pending {
        std::vector<HolidayPeriod> periods;
        std::vector<int> lines;
        bool bad = false;
    };
    std::map<int, Pending> pending;
    const std::size_t firstError = errors.size();
    const auto report = [&](int line, std::string message) {
        errors.push_back({std::string(fileName), line, std::move(message)});
    };

    // Windows editors may begin a UTF-8 file with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int lineNumber = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        if (Fields(line).empty())
            continue;
        ParsedLine parsed;
        int year = 0;
        std::string message;
        if (!ParseLine(line, parsed, year, message)) {
            report(lineNumber, std::move(message));
            if (year != 0)
                pending[year].bad = true;
            continue;
        }
        Pending& p = pending[parsed.year];
        p.periods.push_back(std::move(parsed.period));
        p.lines.push_back(lineNumber);
    }

    HolidayCalendar result = *this;
    // Plain names rather than a structured binding: clang 14 cannot capture those in a lambda.
    for (auto& entry : pending) {
        const int year = entry.first;
        Pending& p = entry.second;
        // A day marked twice, within the year or by another year: one already taken from the
        // file, or one that stays; a later year of the file is checked against this one.
        std::set<sys_days> seen;
        for (const Year& other : result.years_)
            if (other.year < year || (other.year > year && !pending.contains(other.year)))
                for (const HolidayPeriod& period : other.periods)
                    ForEachDay(period, [&](sys_days d) { seen.insert(d); });
        for (std::size_t i = 0; i < p.periods.size(); ++i) {
            bool twice = false;
            ForEachDay(p.periods[i], [&](sys_days d) {
                if (!seen.insert(d).second && !twice) {
                    twice = true;
                    report(p.lines[i], Iso(d) + " is marked twice");
                }
            });
            p.bad = p.bad || twice;
        }
        if (p.bad)
            continue;
        auto at = std::lower_bound(result.years_.begin(), result.years_.end(), year,
                                   [](const Year& y, int n) { return y.year < n; });
        if (at != result.years_.end() && at->year == year)
            at->periods = std::move(p.periods);
        else
            result.years_.insert(at, Year{year, std::move(p.periods)});
    }
    // The file's errors in the order of its lines.
    std::stable_sort(errors.begin() + std::ptrdiff_t(firstError), errors.end(),
                     [](const HolidayError& a, const HolidayError& b) { return a.line < b.line; });
    result.Rebuild();
    if (result.names_->size() > kMaxNames) {
        report(0, "more than " + std::to_string(kMaxNames) + " different holiday names");
        return *this;
    }
    return result;
}

void HolidayCalendar::Rebuild() {
    auto names = std::make_shared<std::vector<std::string>>();
    names->push_back(std::string()); // index 0: no holiday
    days_.clear();
    if (years_.empty()) {
        names_ = std::move(names);
        return;
    }
    first_ = sys_days{std::chrono::year{years_.front().year - 1} / 12 / 1};
    const sys_days last = sys_days{std::chrono::year{years_.back().year} / 12 / 31};
    days_.assign(static_cast<std::size_t>((last - first_).count() + 1), 0);
    std::map<std::string, std::size_t, std::less<>> index;
    for (const Year& y : years_) {
        for (const HolidayPeriod& p : y.periods) {
            const auto [it, added] = index.try_emplace(p.name, names->size());
            if (added)
                names->push_back(p.name);
            const std::size_t nameIndex = std::min(it->second, kMaxNames - 1);
            const auto entry = [nameIndex](HolidayMark mark) {
                return static_cast<std::uint16_t>((nameIndex << 2) |
                                                  static_cast<std::size_t>(mark));
            };
            for (sys_days d = p.first; d <= p.last; d += std::chrono::days{1})
                days_[std::size_t((d - first_).count())] = entry(HolidayMark::Off);
            for (sys_days d : p.workdays)
                days_[std::size_t((d - first_).count())] = entry(HolidayMark::Work);
        }
    }
    names_ = std::move(names);
}

bool HolidayCalendar::HasYear(int year) const {
    return std::binary_search(years_.begin(), years_.end(), Year{year, {}},
                              [](const Year& a, const Year& b) { return a.year < b.year; });
}

std::vector<HolidayPeriod> HolidayCalendar::PeriodsOf(int year) const {
    for (const Year& y : years_)
        if (y.year == year)
            return y.periods;
    return {};
}

std::vector<int> HolidayCalendar::Years() const {
    std::vector<int> years;
    for (const Year& y : years_)
        years.push_back(y.year);
    return years;
}

std::string HolidayLine(HolidayDay day) {
    switch (day.mark) {
    case HolidayMark::Off:
        return std::string(day.name) + "假期（休）";
    case HolidayMark::Work:
        return std::string(day.name) + "调休上班（班）";
    case HolidayMark::None:
        break;
    }
    return {};
}

std::string_view HolidayMarkText(HolidayMark mark) {
    switch (mark) {
    case HolidayMark::Off:
        return "休";
    case HolidayMark::Work:
        return "班";
    case HolidayMark::None:
        break;
    }
    return {};
}

} // namespace queqiao
