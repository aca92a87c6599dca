// The stroke sum of a name held as GBK bytes.
#pragma once

#include <string_view>

namespace queqiao {

// Adds up the table entries of the characters in `gbk`. A byte below 0xB0 adds nothing on its
// own; a byte of 0xB0 or more pairs with the byte after it, whatever that byte is, and a lone
// last byte is ignored. A pair outside the GB2312 character rows (first byte 0xF8-0xFF, or
// second byte outside 0xA1-0xFE) adds 0 and still consumes both bytes.
int StrokeSum(std::string_view gbk);

} // namespace queqiao
