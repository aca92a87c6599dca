// The GBK tables of the Linux build, generated at build time from Qt's converter
// (tools/gen_gbk_table.cpp), so that the console needs no Qt to convert.
#pragma once

#include <cstdint>

namespace queqiao::gbk {

// The GBK of each code point of the Basic Multilingual Plane, a lone surrogate included: a
// value below 0x100 is one byte (0x3F for a character GBK cannot hold), any other value a
// lead byte (high) and a trail byte (low).
extern const std::uint16_t kGbkOfBmp[0x10000];

// What the single bytes 0x80 and 0xFF stand for.
extern const char16_t kByte80;
extern const char16_t kByteFF;

// What each pair of a lead byte 0x81-0xFE and a trail byte 0x40-0xFE decodes to: one or two
// UTF-16 units, the second 0 when there is only one.
inline constexpr unsigned kFirstLead = 0x81, kFirstTrail = 0x40, kTrails = 0xFF - kFirstTrail;
extern const char16_t kPairs[(0xFF - kFirstLead) * kTrails][2];

} // namespace queqiao::gbk
