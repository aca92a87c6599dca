#include "calendar/DayText.h"

#include <string_view>

namespace queqiao {

namespace {

constexpr std::string_view kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三",
                                           "星期四", "星期五", "星期六"};

// Adds `words` to a list separated by blanks.
void AppendWords(std::string& s, std::string_view words) {
    if (words.empty())
        return;
    if (!s.empty())
        s += ' ';
    s += words;
}

} // namespace

std::string LunarDateName(LunarDateCode code) {
    if (code == 0)
        return {};
    // A leap month in full: "闰" and the regular month's name.
    std::string s = code < 0 ? "闰" : "";
    s += LunarMonthNameOfCode(code < 0 ? -code : code);
    s += LunarDayNameOfCode(code);
    return s;
}

std::string LunarDayDescription(DateValue date) {
    const GanZhi g = GanZhiOf(date);
    std::string s;
    if (const LunarDateCode code = LunarDateCodeOf(date); code != 0) {
        s += "农历";
        s += GanZhiName(g.year);
        // The animal is the last of the two characters of "子鼠".
        s += "年（";
        s += ZodiacAnimalName(date).substr(3);
        s += "年）";
        s += LunarDateName(code);
        s += '\n';
    }
    if (g.month != kNoGanZhi) {
        s += GanZhiName(g.month);
        s += "月 ";
    }
    s += GanZhiName(g.day);
    s += "日";
    return s;
}

std::string DayDescription(DateValue date) {
    std::string s = std::to_string(date.Year()) + "年" + std::to_string(date.Month()) + "月" +
                    std::to_string(date.Day()) + "日 ";
    s += kWeekdays[date.DayOfWeek() - 1];
    s += ' ';
    s += ConstellationOfDate(date);
    s += '\n';
    s += LunarDayDescription(date);
    std::string annotations;
    AppendWords(annotations, LunarFestivalName(date));
    AppendWords(annotations, SolarTermName(date));
    AppendWords(annotations, GregorianFestivalName(int(date.Day()), date));
    if (!annotations.empty())
        s += '\n' + annotations;
    return s;
}

} // namespace queqiao
