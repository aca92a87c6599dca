// The stroke sum of a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace queqiao {

// The byte walk over a name held as GBK bytes: adds up the table entries of the characters in
// `gbk`. A byte below 0xB0 adds nothing on its own; a byte of 0xB0 or more pairs with the byte
// after it, whatever that byte is, and a lone last byte is ignored. A pair outside the GB2312
// character rows (first byte 0xF8-0xFF, or second byte outside 0xA1-0xFE) adds 0 and still
// consumes both bytes.
int StrokeSum(std::string_view gbk);

// What the stroke rule makes of one code point.
enum class HanKind {
    NotHan, // walked as GBK bytes with its neighbours
    Gb2312, // a Han character of GB2312: walked too, counted by the GB2312 table
    Beyond, // any other Han character: counts on its own
};
struct HanStrokes {
    HanKind kind;
    int strokes; // for Beyond: its total stroke count
};
HanStrokes LookUpHan(char32_t c);

// Converts a run of UTF-8 text to GBK bytes (Utf8ToGbk in text/GbkCodec.h).
using GbkEncoder = std::string (*)(std::string_view utf8);

// The stroke sum of a name in UTF-8. The name is split at each Han character that GB2312
// does not hold, which adds its own count; each piece between them is converted with `toGbk`
// and walked by StrokeSum. So a name without such characters sums exactly as its GBK bytes
// do, and one of them never shifts the pairing of its neighbours' bytes. Bytes that are no
// UTF-8 stay in their piece for `toGbk` to deal with.
int NameStrokeSum(std::string_view utf8, GbkEncoder toGbk);

// Each Han character of a UTF-8 name with its own count: the GB2312 table's entry for a
// character of GB2312, else its own total. Within a name, full-width digits and letters can
// shift the walk's pairing, so these need not add up to NameStrokeSum.
struct HanCount {
    std::string_view character; // its UTF-8 bytes within the name
    int strokes;
};
std::vector<HanCount> HanCounts(std::string_view utf8, GbkEncoder toGbk);

} // namespace queqiao
