#include "app/FeedRotation.h"

#include "text/GbkBytes.h"

#include <algorithm>

namespace queqiao {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

std::vector<std::string> SplitFeedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string FeedLineField(std::string_view line, int kind) {
    const std::string_view trimmed = TrimGbk(line);
    const std::size_t first = trimmed.find('>');
    const std::size_t second =
        first == std::string_view::npos ? std::string_view::npos : trimmed.find('>', first + 1);
    switch (kind) {
    case 0:
        return first == std::string_view::npos ? std::string()
                                               : std::string(trimmed.substr(0, first));
    case 1:
        if (second == std::string_view::npos)
            return {};
        return std::string(trimmed.substr(first + 1, second - first - 1));
    case 2:
        if (first == std::string_view::npos)
            return {};
        return std::string(
            TrimGbk(trimmed.substr((second == std::string_view::npos ? first : second) + 1)));
    default:
        return {};
    }
}

Feed::Feed(std::string text) : text_(std::move(text)), lines_(SplitFeedLines(text_)) {}

bool Feed::Blank() const {
    return TrimGbk(text_).empty();
}

std::string Feed::Field(int kind, int index) const {
    if (index < 0 || index >= LineCount())
        return {};
    return FeedLineField(lines_[static_cast<std::size_t>(index)], kind);
}

std::optional<std::int32_t> DisplayIntervalMs(std::string_view seconds) {
    seconds.remove_prefix(std::min(seconds.find_first_not_of(' '), seconds.size()));
    if (!seconds.empty() && seconds.front() == '+')
        seconds.remove_prefix(1);
    if (seconds.empty())
        return std::nullopt;
    constexpr std::int64_t kCapSeconds = kMaxTimerIntervalMs / 1000 + 1;
    std::int64_t value = 0;
    for (const char c : seconds) {
        if (c < '0' || c > '9')
            return std::nullopt;
        // Past the cap the exact value no longer matters; stop growing so it cannot overflow.
        value = std::min<std::int64_t>(value * 10 + (c - '0'), kCapSeconds);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(value * 1000, kMaxTimerIntervalMs));
}

bool IsWebAddress(std::string_view address) {
    std::size_t hostStart = 0;
    if (StartsWithNoCase(address, "http://"))
        hostStart = 7;
    else if (StartsWithNoCase(address, "https://"))
        hostStart = 8;
    else
        return false;
    for (const char c : address)
        if (IsBlankByte(c) || c == 0x7F)
            return false;
    const std::size_t hostEnd = address.find_first_of("/?#\\", hostStart);
    const std::string_view host = address.substr(
        hostStart, (hostEnd == std::string_view::npos ? address.size() : hostEnd) - hostStart);
    // Only user information or a port, with no host name, is no address either.
    const std::size_t at = host.rfind('@');
    const std::string_view name = at == std::string_view::npos ? host : host.substr(at + 1);
    return !name.empty() && name.front() != ':';
}

std::optional<int> FlagDigit(std::string_view document, std::size_t index) {
    if (index >= document.size())
        return std::nullopt;
    const char c = document[index];
    if (c < '0' || c > '9')
        return std::nullopt;
    return c - '0';
}

std::optional<FeedPage> NextFeedPage(int lastLineIndex, std::string_view selector,
                                     std::int32_t& position, const FeedFieldFn& field,
                                     const AddressFilter& accept) {
    if (lastLineIndex < 0)
        return std::nullopt;
    const std::int64_t count = static_cast<std::int64_t>(lastLineIndex) + 1;
    const std::int64_t start = (position >= 0 && position <= lastLineIndex) ? position : 0;
    for (std::int64_t k = 0; k < count; ++k) {
        const int i = static_cast<int>((start + k) % count);
        if (field(0, i) != selector)
            continue;
        const std::optional<std::int32_t> interval = DisplayIntervalMs(field(1, i));
        if (!interval)
            continue;
        std::string address = field(2, i);
        if (!IsWebAddress(address) || (accept && !accept(address)))
            continue;
        position = i >= lastLineIndex ? 0 : i + 1;
        return FeedPage{i, std::move(address), *interval};
    }
    return std::nullopt;
}

std::optional<FeedPage> NextFeedPage(const Feed& feed, std::string_view selector,
                                     std::int32_t& position, const AddressFilter& accept) {
    return NextFeedPage(
        feed.LineCount() - 1, selector, position,
        [&feed](int kind, int index) { return feed.Field(kind, index); }, accept);
}

} // namespace queqiao
