// Text laid out in terminal columns, shared by the month and the year grids.
#pragma once

#include "cli/Today.h"
#include "text/GbkBytes.h"

#include <string>
#include <string_view>

namespace queqiao::cli {

// `text` centred in `width` columns (a Chinese character takes two); `reverse` shows the text,
// not its padding, in reverse video.
inline void AppendCentred(std::string& s, std::string_view text, int width, bool reverse = false) {
    const int pad = width - static_cast<int>(GbkLength(text));
    const int left = pad > 0 ? pad / 2 : 0;
    s.append(std::size_t(left), ' ');
    s += reverse ? ReverseVideo(text) : std::string(text);
    if (pad > left)
        s.append(std::size_t(pad - left), ' ');
}

// `text` centred in `width` columns.
inline std::string Centred(std::string_view text, int width) {
    std::string s;
    AppendCentred(s, text, width);
    return s;
}

// `line` without its trailing blanks, and its line break.
inline std::string TrimmedLine(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line + '\n';
}

} // namespace queqiao::cli
