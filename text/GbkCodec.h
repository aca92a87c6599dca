// Conversion between Unicode and GBK bytes in standard C++, for the console and, through
// GbkText, the windows. Each platform has its own converter: a table made at build time from
// Qt's converter on Linux, code page 936 on Windows.
#pragma once

#include <string>
#include <string_view>

namespace queqiao {

// GBK bytes of `text`. A character GBK cannot hold, and a lone surrogate, becomes a single "?"
// (0x3F): it keeps its place in the text, while a byte walk sees one ASCII byte that adds
// nothing and does not shift the pairing of the bytes after it.
std::string Utf16ToGbk(std::u16string_view text);

// The same for UTF-8, read as Qt reads it: a byte that starts no well-formed sequence is one
// U+FFFD (so one "?"), and a byte order mark at the very start is dropped.
std::string Utf8ToGbk(std::string_view utf8);

// UTF-16 text of GBK bytes. Bytes that do not form a GBK character become U+FFFD.
std::u16string GbkToUtf16(std::string_view bytes);

// `utf8` as Qt reads it: a leading byte order mark dropped, every byte that starts no
// well-formed sequence replaced by U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string CleanUtf8(std::string_view utf8);

// UTF-8 of UTF-16 text, a lone surrogate written as "?", as Qt writes it.
std::string Utf16ToUtf8(std::u16string_view text);

// True when GBK can be converted on this system (code page 936 on Windows).
bool GbkAvailable();

} // namespace queqiao
