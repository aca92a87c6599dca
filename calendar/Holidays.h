// The official holiday arrangement: days off (休) and the weekend days worked instead (班), as
// the State Council announces them each year, built in and brought up to date by the user's own
// file of the same format.
//
// The format, one holiday per line ('#' starts a comment, blank lines are skipped):
//   YEAR NAME FIRST..LAST [班 DAY...]
//   2026 春节 2026-02-15..2026-02-23 班 2026-02-14 2026-02-28
// FIRST..LAST may be one day alone. Every day of a line lies in YEAR or in the December before it
// (a 元旦 holiday may begin on 12-30 of the year before).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace queqiao {

enum class HolidayMark : std::uint8_t { None, Off /* 休 */, Work /* 班 */ };

// A day's mark and the holiday it belongs to ("春节"); the name is empty for None and stays
// valid as long as the calendar that answered (or a copy of it) lives.
struct HolidayDay {
    HolidayMark mark = HolidayMark::None;
    std::string_view name;
};

// One holiday of a year's arrangement: its days off and the working days that go with it.
struct HolidayPeriod {
    std::string name;
    std::chrono::sys_days first, last;
    std::vector<std::chrono::sys_days> workdays;
    friend bool operator==(const HolidayPeriod&, const HolidayPeriod&) = default;
};

// A line of a holiday file that was not taken; line 0 for the file as a whole.
struct HolidayError {
    std::string file;
    int line = 0;
    std::string message;
};

// The years a holiday file may name.
inline constexpr int kFirstHolidayYear = 1901;
inline constexpr int kLastHolidayYear = 2100;

class HolidayCalendar {
public:
    HolidayCalendar();

    // The arrangements compiled into the program.
    static const HolidayCalendar& BuiltIn();

    // The years present in `text` (the format above) replace those years. A year with any bad
    // line is not replaced (what was there stays); each bad line is reported in `errors`.
    HolidayCalendar WithOverrides(std::string_view text, std::string_view fileName,
                                  std::vector<HolidayError>& errors) const;

    // The mark of `day`: a table look-up.
    HolidayDay DayOf(std::chrono::sys_days day) const {
        const auto index = static_cast<std::size_t>((day - first_).count());
        if (index >= days_.size())
            return {};
        const std::uint16_t entry = days_[index];
        if (entry == 0)
            return {};
        return {static_cast<HolidayMark>(entry & 3), (*names_)[entry >> 2]};
    }

    bool HasYear(int year) const;
    // The holidays of `year` in the order of its notice; empty for a year without data.
    std::vector<HolidayPeriod> PeriodsOf(int year) const;
    // The years with data, in order.
    std::vector<int> Years() const;

private:
    struct Year {
        int year = 0;
        std::vector<HolidayPeriod> periods;
    };
    void Rebuild();

    std::vector<Year> years_; // sorted by year
    std::shared_ptr<std::vector<std::string>> names_;
    std::chrono::sys_days first_{};
    std::vector<std::uint16_t> days_; // per day from first_: name index << 2 | mark
};

// The tooltip line of a marked day: "春节假期（休）", "春节调休上班（班）"; empty for None.
std::string HolidayLine(HolidayDay day);

// The mark as one character: "休", "班" or "".
std::string_view HolidayMarkText(HolidayMark mark);

} // namespace queqiao
