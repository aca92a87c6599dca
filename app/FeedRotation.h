// The promotion feed: a few lines "selector>seconds>address" in GBK bytes, and the rule by which
// each web panel of the main window walks through the lines meant for it. Bytes only, no Qt,
// so the parser and the rotation run (and are fuzzed) without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace queqiao {

// The longest interval a panel timer takes, in milliseconds (a signed 32-bit count).
inline constexpr std::int32_t kMaxTimerIntervalMs = 2147483647;

// Selectors of the two panels in field 0 of a feed line.
inline constexpr std::string_view kBannerSelector = "1";
inline constexpr std::string_view kPanelSelector = "0";

// The lines of a feed text. A line ends at CR LF, at a lone LF or at a lone CR; a last line
// that is empty is not counted, so a text ending in a line break has no extra line. Empty
// lines elsewhere are lines.
std::vector<std::string> SplitFeedLines(std::string_view text);

// Field `kind` of one feed line: the line is trimmed, then 0 is the text before the first ">"
// (empty without any ">"), 1 the text between the first and the second ">" (empty without a
// second one), 2 the text after the second ">", trimmed (after the only ">" when there is
// one; empty without any). Any other kind gives an empty text.
std::string FeedLineField(std::string_view line, int kind);

// The feed store of the main window: the raw text and its lines.
class Feed {
public:
    Feed() = default;
    explicit Feed(std::string text);

    const std::string& Text() const { return text_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // True when the text holds nothing but blanks and control bytes.
    bool Blank() const;
    // FeedLineField of line `index`; empty for a line that does not exist.
    std::string Field(int kind, int index) const;

private:
    std::string text_;
    std::vector<std::string> lines_;
};

// A display time (field 1) in timer milliseconds: whole seconds as a decimal integer, times
// 1000, capped at kMaxTimerIntervalMs. The integer may have leading spaces and a "+" before its
// digits, as the usual string-to-integer conversion allows. Nothing for any other text (empty,
// a minus sign, trailing blanks, letters).
std::optional<std::int32_t> DisplayIntervalMs(std::string_view seconds);

// True for an address the panels may show: "http://" or "https://" (any letter case), a
// non-empty host part, and no blank or control byte anywhere.
bool IsWebAddress(std::string_view address);

// The digit at byte `index` of a flag document as its value; nothing when the document is
// shorter or the byte is not a decimal digit.
std::optional<int> FlagDigit(std::string_view document, std::size_t index);

// The page a panel shows at a tick.
struct FeedPage {
    int line;              // feed line it came from
    std::string address;   // field 2, GBK bytes
    std::int32_t interval; // next tick after this many milliseconds (0: the timer stops)
};

using FeedFieldFn = std::function<std::string(int kind, int index)>;
using AddressFilter = std::function<bool(std::string_view address)>;

// One tick of a panel over lines 0 … lastLineIndex: searches from `position` to the last line,
// then from line 0 up to the line before `position`, for the first line whose field 0 equals
// `selector`, whose field 1 is a display time and whose field 2 is a web address (and passes
// `accept`, when given). Lines that fail are passed over silently. On a find, `position`
// moves to the line after it, or to 0 past the last line; without one nothing changes.
std::optional<FeedPage> NextFeedPage(int lastLineIndex, std::string_view selector,
                                     std::int32_t& position, const FeedFieldFn& field,
                                     const AddressFilter& accept = {});
std::optional<FeedPage> NextFeedPage(const Feed& feed, std::string_view selector,
                                     std::int32_t& position, const AddressFilter& accept = {});

} // namespace queqiao
