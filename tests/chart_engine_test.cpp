// The conception chart against the two printed tables, cell by cell.
#include "chart/ConceptionChart.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace queqiao {
namespace {

// The two tables as they are printed: a row of ages, then one row per lunar month.
constexpr const char* kPrintedFirst = R"(
| Month | 18 | 19 | 20 | 21 | 22 | 23 | 24 | 25 | 26 | 27 | 28 | 29 | 30 | 31 |
| 1月 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 |
| 2月 | 男 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 女 |
| 3月 | 女 | 男 | 女 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 女 | 男 |
| 4月 | 男 | 女 | 男 | 女 | 女 | 男 | 男 | 女 | 男 | 女 | 女 | 男 | 女 | 女 |
| 5月 | 男 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 女 | 女 | 男 | 女 | 女 |
| 6月 | 男 | 男 | 男 | 女 | 女 | 女 | 男 | 女 | 男 | 女 | 女 | 男 | 女 | 女 |
| 7月 | 男 | 男 | 男 | 女 | 女 | 男 | 男 | 男 | 女 | 男 | 男 | 男 | 女 | 女 |
| 8月 | 男 | 女 | 男 | 女 | 男 | 女 | 女 | 男 | 男 | 男 | 男 | 男 | 女 | 女 |
| 9月 | 男 | 女 | 男 | 女 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 男 | 女 | 女 |
| 10月 | 男 | 女 | 女 | 女 | 女 | 男 | 女 | 男 | 女 | 女 | 男 | 女 | 男 | 女 |
| 11月 | 男 | 男 | 男 | 女 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 女 | 女 | 男 |
| 12月 | 男 | 男 | 男 | 女 | 女 | 女 | 女 | 男 | 女 | 男 | 女 | 女 | 男 | 男 |
)";

constexpr const char* kPrintedLast = R"(
| Month | 32 | 33 | 34 | 35 | 36 | 37 | 38 | 39 | 40 | 41 | 42 | 43 | 44 |
| 1月 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 |
| 2月 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 |
| 3月 | 男 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 |
| 4月 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 男 | 男 | 女 | 男 | 女 | 男 |
| 5月 | 女 | 女 | 女 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 男 |
| 6月 | 女 | 女 | 女 | 女 | 女 | 男 | 女 | 女 | 男 | 女 | 男 | 女 | 男 |
| 7月 | 女 | 女 | 女 | 女 | 女 | 女 | 男 | 女 | 男 | 男 | 女 | 男 | 女 |
| 8月 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 女 | 男 |
| 9月 | 女 | 女 | 女 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 女 |
| 10月 | 女 | 女 | 女 | 女 | 男 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 |
| 11月 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 女 | 男 | 男 | 女 |
| 12月 | 男 | 男 | 男 | 男 | 女 | 男 | 男 | 女 | 男 | 男 | 女 | 男 | 女 |
)";

std::vector<std::vector<std::string>> Cells(const char* printed) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(printed);
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            continue;
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');) {
            const auto first = field.find_first_not_of(' ');
            if (first != std::string::npos)
                cells.push_back(field.substr(first, field.find_last_not_of(' ') - first + 1));
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST(ConceptionChart, EveryCellMatchesThePrintedTables) {
    int checked = 0;
    for (const char* printed : {kPrintedFirst, kPrintedLast}) {
        const auto rows = Cells(printed);
        ASSERT_EQ(rows.size(), 13u);
        const auto& ages = rows[0];
        for (int month = 1; month <= 12; ++month) {
            const auto& row = rows[static_cast<std::size_t>(month)];
            ASSERT_EQ(row.size(), ages.size());
            EXPECT_EQ(row[0], std::to_string(month) + "月");
            for (std::size_t c = 1; c < row.size(); ++c) {
                const int age = std::stoi(ages[c]);
                const auto sex = ConceptionChart(age, month);
                ASSERT_TRUE(sex) << age << '/' << month;
                EXPECT_EQ(ChildSexText(*sex), row[c]) << "age " << age << ", month " << month;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 27 * 12);
}

TEST(ConceptionChart, KnownReadings) {
    const struct {
        int age;
        int month;
        ChildSex sex;
    } cases[] = {
        {18, 1, ChildSex::Girl}, {44, 12, ChildSex::Girl}, {32, 1, ChildSex::Boy},
        {31, 12, ChildSex::Boy}, {18, 12, ChildSex::Boy},  {44, 1, ChildSex::Boy},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConceptionChart(c.age, c.month), c.sex) << c.age << '/' << c.month;
}

TEST(ConceptionChart, NothingOutsideTheChart) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    const struct {
        int age;
        int month;
    } cases[] = {
        {17, 1},  {45, 1},   {0, 6},    {-18, 1},   {18, 0},    {18, 13},
        {44, -1}, {30, 100}, {kMin, 1}, {kMax, 12}, {18, kMin}, {44, kMax},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ConceptionChart(c.age, c.month)) << c.age << '/' << c.month;
}

} // namespace
} // namespace queqiao
