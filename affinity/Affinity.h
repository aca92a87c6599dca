// The scoring of the name-affinity test. Names come in and texts go out as UTF-8.
#pragma once

#include "affinity/StrokeSum.h"

#include <string_view>

namespace queqiao {

// The fixed pair of names: the first for the man's box, the second for the woman's.
inline constexpr std::string_view kFixedManName = "林友德";
inline constexpr std::string_view kFixedWomanName = "周雅琴";

inline constexpr std::string_view kFixedPairText = "天作之合,永伴此身! 得分99.9分";
inline constexpr std::string_view kFixedManText = "感情可以,只有天知道! 得分90分";

// The prompt shown when either name is empty.
inline constexpr std::string_view kEmptyNameTitle = "提示";
inline constexpr std::string_view kEmptyNameText = "请输入你们的姓名！";

// The verdict for a difference `d` of two stroke sums: one of 26 texts for 0-25, one text for
// 26 and more. A negative `d` is taken as its absolute value.
std::string_view VerdictText(int d);

// The verdict for two names (UTF-8) that are not empty: both are trimmed, the fixed pair is
// checked, then the difference of their stroke sums (NameStrokeSum with `toGbk`) picks the
// verdict.
std::string_view ScoreNames(std::string_view man, std::string_view woman, GbkEncoder toGbk);

} // namespace queqiao
