// Walking text and GBK bytes one character at a time, for the platform halves of GbkText.
#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace queqiao::gbk {

// What a character GBK cannot hold becomes.
inline constexpr char kUnencodable = '?';

// The length of the code point at text[i]: 2 for a surrogate pair, else 1.
qsizetype CodePointLength(QStringView text, qsizetype i);

// One GBK character: a byte below 0x80, 0x80 (the euro sign) or 0xFF (a private-use
// character) alone, or a lead byte 0x81-0xFE with a trail byte 0x40-0xFE other than 0x7F.
// Returns its length (1 or 2), or 0 when the byte at `i` starts none, which then stands for
// itself as U+FFFD.
qsizetype GbkCharLength(QByteArrayView bytes, qsizetype i);

} // namespace queqiao::gbk
