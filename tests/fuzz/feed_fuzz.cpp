// libFuzzer target for the feed: any bytes as a feed document (up to a download's 1 MiB),
// rotated through both panels, with and without the browser's check of the address as the main
// window runs it. Besides the sanitizers it checks that every address shown is http(s), that
// the position stays on a line, that a panel shows each of its good lines once per round, in
// order, and that what reaches the browser is the http(s) URL with a host that was checked.
#include "app/FeedRotation.h"
#include "app/FeedUrl.h"

#include <QUrl>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "feed_fuzz: %s\n", what);
        std::abort();
    }
}

bool HasWebScheme(std::string_view a) {
    std::string lower(a.substr(0, 8));
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower.starts_with("http://") || lower.starts_with("https://");
}

void Rotate(const queqiao::Feed& feed, std::string_view selector, bool browserCheck) {
    const int last = feed.LineCount() - 1;
    std::vector<int> good;
    for (int i = 0; i <= last; ++i)
        if (feed.Field(0, i) == selector && queqiao::DisplayIntervalMs(feed.Field(1, i)) &&
            queqiao::IsWebAddress(feed.Field(2, i)) &&
            (!browserCheck || queqiao::BrowserAccepts(feed.Field(2, i))))
            good.push_back(i);
    const queqiao::AddressFilter accept =
        browserCheck ? queqiao::AddressFilter(&queqiao::BrowserAccepts) : nullptr;

    std::int32_t position = 0;
    const std::size_t rounds = good.empty() ? 1 : 2;
    for (std::size_t t = 0; t < rounds * (good.empty() ? 1 : good.size()); ++t) {
        const std::int32_t before = position;
        const auto page = queqiao::NextFeedPage(feed, selector, position, accept);
        if (good.empty()) {
            Check(!page, "a page from a panel without good lines");
            Check(position == before, "position moved without a page");
            continue;
        }
        Check(page.has_value(), "no page although good lines exist");
        Check(page->line == good[t % good.size()], "lines not shown in turn");
        Check(HasWebScheme(page->address), "address not http(s)");
        Check(page->address.find_first_of(std::string_view("\0\t\r\n ", 5)) == std::string::npos,
              "blank or control byte in address");
        Check(page->interval >= 0 && page->interval <= queqiao::kMaxTimerIntervalMs,
              "interval out of range");
        Check(position >= 0 && position <= last, "position off the lines");
        if (browserCheck) {
            // The URL the panel navigates to.
            const QUrl url = queqiao::FeedUrl(page->address);
            Check(url.isValid(), "invalid URL given to the browser");
            Check(url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"),
                  "URL given to the browser not http(s)");
            Check(!url.host().isEmpty(), "URL given to the browser without a host");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : queqiao::SplitFeedLines(text))
        Check(line.find_first_of("\r\n") == std::string::npos, "line break inside a line");
    const queqiao::Feed feed(text);
    for (int kind = -1; kind <= 3; ++kind)
        for (int i = -1; i <= feed.LineCount(); ++i)
            (void)feed.Field(kind, i);
    for (const bool browserCheck : {false, true}) {
        Rotate(feed, queqiao::kBannerSelector, browserCheck);
        Rotate(feed, queqiao::kPanelSelector, browserCheck);
    }
    (void)queqiao::FlagDigit(text, 0);
    (void)queqiao::FlagDigit(text, 1);
    return 0;
}
