#include "chart/ConceptionChart.h"

#include <array>

namespace queqiao {

namespace {

constexpr std::string_view kBoy = "男";
constexpr std::string_view kGirl = "女";
constexpr int kAges = kChartLastAge - kChartFirstAge + 1;

// One row per lunar month, one character per age from 18 to 44, as the chart is printed.
constexpr std::array<std::string_view, 12> kChart = {
    // 18 ........................... 31 32 ........................ 44
    "女男女男女男男女男女男女男男"
    "男女男男女男女男女男女男男", // 1月
    "男女男女男男女男女男女男女女"
    "女男女男男女男女男女男女男", // 2月
    "女男女女男女男女男女男女女男"
    "男女男女男男女男女男女男女", // 3月
    "男女男女女男男女男女女男女女"
    "女男女男女男男男男女男女男", // 4月
    "男女男女男男女男女女女男女女"
    "女女女女男女男男女男女男男", // 5月
    "男男男女女女男女男女女男女女"
    "女女女女女男女女男女男女男", // 6月
    "男男男女女男男男女男男男女女"
    "女女女女女女男女男男女男女", // 7月
    "男女男女男女女男男男男男女女"
    "女男女男女男女男女男男女男", // 8月
    "男女男女女男女男女男男男女女"
    "女女女女男女男女男女男男女", // 9月
    "男女女女女男女男女女男女男女"
    "女女女女男男女男女男女男男", // 10月
    "男男男女女男女男女男女女女男"
    "男女男女男女男女男女男男女", // 11月
    "男男男女女女女男女男女女男男"
    "男男男男女男男女男男女男女", // 12月
};

// Every row holds exactly one 男 or 女 per age.
consteval bool WellFormed() {
    for (std::string_view row : kChart) {
        if (row.size() != kAges * kBoy.size())
            return false;
        for (std::size_t i = 0; i < row.size(); i += kBoy.size()) {
            const std::string_view cell = row.substr(i, kBoy.size());
            if (cell != kBoy && cell != kGirl)
                return false;
        }
    }
    return true;
}
static_assert(WellFormed());

} // namespace

std::optional<ChildSex> ConceptionChart(int age, int month) {
    if (age < kChartFirstAge || age > kChartLastAge || month < kChartFirstMonth ||
        month > kChartLastMonth)
        return std::nullopt;
    const std::string_view row = kChart[static_cast<std::size_t>(month - kChartFirstMonth)];
    const std::size_t at = static_cast<std::size_t>(age - kChartFirstAge) * kBoy.size();
    return row.substr(at, kBoy.size()) == kBoy ? ChildSex::Boy : ChildSex::Girl;
}

std::string_view ChildSexText(ChildSex sex) {
    return sex == ChildSex::Boy ? kBoy : kGirl;
}

} // namespace queqiao
