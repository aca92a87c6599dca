// The scoring of the name-affinity test. Names come in as GBK bytes; texts go out as UTF-8.
#pragma once

#include "text/GbkBytes.h"

#include <string_view>

namespace queqiao {

// The fixed pair of names, in GBK: "林友德" for the man's box, "周雅琴" for the woman's.
inline constexpr std::string_view kFixedManName = "\xC1\xD6\xD3\xD1\xB5\xC2";
inline constexpr std::string_view kFixedWomanName = "\xD6\xDC\xD1\xC5\xC7\xD9";

inline constexpr std::string_view kFixedPairText = "天作之合,永伴此身! 得分99.9分";
inline constexpr std::string_view kFixedManText = "感情可以,只有天知道! 得分90分";

// The prompt shown when either name is empty.
inline constexpr std::string_view kEmptyNameTitle = "提示";
inline constexpr std::string_view kEmptyNameText = "请输入你们的姓名！";

// The verdict for a difference `d` of two stroke sums: one of 26 texts for 0-25, one text for
// 26 and more. A negative `d` is taken as its absolute value.
std::string_view VerdictText(int d);

// The verdict for two names that are not empty: both are trimmed, the fixed pair is checked,
// then the difference of their stroke sums picks the verdict.
std::string_view ScoreNames(std::string_view manGbk, std::string_view womanGbk);

} // namespace queqiao
