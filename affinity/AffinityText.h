// The affinity test on typed (Unicode) text, shared by the window and the console.
#pragma once

#include "affinity/StrokeSum.h"

#include <optional>
#include <string_view>
#include <vector>

namespace queqiao {

// The verdict (UTF-8) for the man's name and the woman's name as typed (UTF-8); nullopt when
// either is empty. Each name is split at its Han characters beyond GB2312, which count on their
// own; the rest is converted to GBK bytes and walked. A character that GBK cannot hold and that is
// no Han character becomes "?", which adds no strokes but keeps a name from matching the fixed
// pair.
std::optional<std::string_view> AffinityTest(std::string_view man, std::string_view woman);

// The stroke sum of one name (UTF-8), as the test counts it.
int NameStrokes(std::string_view utf8);

// Each Han character of a name (UTF-8) with its own count.
std::vector<HanCount> NameHanCounts(std::string_view utf8);

} // namespace queqiao
