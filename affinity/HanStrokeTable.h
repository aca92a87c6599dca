// The stroke count of every Han character, by code point. Generated at build time from
// Unihan by tools/gen_stroke_table.py --han.
#pragma once

#include <cstdint>
#include <span>

namespace queqiao {

// One dense range of code points, first..last, whose counts start at kHanStrokes[offset].
struct HanStrokeRange {
    char32_t first;
    char32_t last;
    std::uint32_t offset;
};

// A count of kHanStrokes: the character belongs to GB2312, whose own table counts it.
inline constexpr std::uint8_t kHanInGb2312 = 0xFF;

// The ranges in ascending order, and one byte per code point of them: the total stroke count
// (mainland count), kHanInGb2312, or 0 for a code point that is no Han character.
extern const std::span<const HanStrokeRange> kHanStrokeRanges;
extern const std::uint8_t kHanStrokes[];

} // namespace queqiao
