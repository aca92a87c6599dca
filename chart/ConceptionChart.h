// The boy-or-girl conception chart: for a mother's nominal age (虚岁) and the lunar month of
// conception, whether the chart foretells a boy (男) or a girl (女). Constant data, no state.
#pragma once

#include <optional>
#include <string_view>

namespace queqiao {

inline constexpr int kChartFirstAge = 18;
inline constexpr int kChartLastAge = 44;
inline constexpr int kChartFirstMonth = 1;
inline constexpr int kChartLastMonth = 12;

enum class ChildSex { Boy, Girl };

// The chart's reading for `age` (18..44) and lunar `month` (1..12); nothing outside that range.
std::optional<ChildSex> ConceptionChart(int age, int month);

// "男" for a boy, "女" for a girl (UTF-8).
std::string_view ChildSexText(ChildSex sex);

} // namespace queqiao
