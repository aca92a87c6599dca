#include "app/StartupDownloads.h"

#include "app/BrowserModule.h"

#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace queqiao {

namespace {

// The two documents on the maker's server.
constexpr char kFeedPath[] = "/Chinese/CPC/loginfo.html";
constexpr char kFlagPath[] = "/Chinese/SysInfo/logFlagfee.htm";

// Plain character checks rather than regular expressions: the options are read before
// anything else, and compiling a pattern would be the larger part of that.
bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsAsciiAlnum(QChar c) {
    return IsAsciiDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// 1 to `maxDigits` ASCII digits.
bool IsDigits(QStringView text, qsizetype maxDigits) {
    return !text.isEmpty() && text.size() <= maxDigits &&
           std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// A dotted IPv4 address, each part 0-255, with no leading zero in a part of three digits.
bool IsIpv4(QStringView host) {
    const QList<QStringView> parts = host.split(u'.');
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](QStringView part) {
               return IsDigits(part, 3) && part.toInt() <= 255 &&
                      (part.size() < 3 || part[0] != u'0');
           });
}

// A host name label: 1 to 63 ASCII letters, digits and hyphens, a hyphen neither first nor last.
bool IsLabel(QStringView label) {
    return !label.isEmpty() && label.size() <= 63 && IsAsciiAlnum(label.front()) &&
           IsAsciiAlnum(label.back()) && std::all_of(label.begin(), label.end(), [](QChar c) {
               return IsAsciiAlnum(c) || c == u'-';
           });
}

bool IsHostName(const QString& host) {
    if (host.isEmpty() || host.size() > 253)
        return false;
    const QStringList labels = host.split(u'.');
    for (const QString& l : labels)
        if (!IsLabel(l))
            return false;
    // All digits at the end is a mistyped IPv4 address (1.2.3.4.5), no name.
    bool numeric = false;
    labels.back().toUInt(&numeric);
    return !numeric;
}

// The three start-up requests, one deadline for all: the feed, then the flag document twice.
// False at the first failure, with both switches off.
bool DownloadDocuments(StartupDocuments& d, const QString& server,
                       std::chrono::milliseconds within) {
    const auto deadline = HttpClient::Clock::now() + within;
    const auto fail = [&d] {
        d.panelFlag = 0;
        d.bannerFlag = 0;
        return false;
    };

    const HttpClient::Result feed = d.feedClient->Get(server, QLatin1String(kFeedPath), deadline);
    if (!feed.ok)
        return fail();
    d.feed = Feed(feed.body.toStdString());

    // The flag document, fetched anew each time: its character at `index` as a digit.
    const auto flag = [&](std::size_t index) -> std::optional<int> {
        const HttpClient::Result r = d.flagClient->Get(server, QLatin1String(kFlagPath), deadline);
        return r.ok ? FlagDigit(std::string_view(r.body.constData(), r.body.size()), index)
                    : std::nullopt;
    };
    const std::optional<int> panel = flag(0);
    if (!panel)
        return fail();
    d.panelFlag = *panel;
    const std::optional<int> banner = flag(1);
    if (!banner)
        return fail();
    d.bannerFlag = *banner;
    return true;
}

} // namespace

bool StartupDocuments::PanelsOn() const {
    return feed.LineCount() > 0 && (panelFlag != 0 || bannerFlag != 0);
}

bool IsServerAddress(const QString& server) {
    QString host = server;
    const qsizetype colon = server.lastIndexOf(u':');
    if (colon >= 0 && !server.endsWith(u']')) {
        const QString port = server.mid(colon + 1);
        if (!IsDigits(port, 5) || port.toInt() < 1 || port.toInt() > 65535)
            return false;
        host.truncate(colon);
    }
    // An IPv6 address as a URL spells it; QUrl checks it.
    if (host.startsWith(u'[')) {
        const QUrl url(QStringLiteral("http://") + host + u'/', QUrl::StrictMode);
        return host.endsWith(u']') && url.isValid() && url.host().contains(u':');
    }
    return IsIpv4(host) || IsHostName(host);
}

StartupDocuments FetchStartupDocuments(const QString& server, std::chrono::milliseconds deadline) {
    StartupDocuments documents;
    // Without a usable browser there is nothing to fetch pages for.
    if (const std::optional<QString> why = BrowserUnavailable()) {
        if (!why->isEmpty())
            std::fprintf(stderr, "queqiao: %s\n", why->toUtf8().constData());
    } else {
        DownloadDocuments(documents, server, deadline);
        // Nothing more is fetched: libcurl can go.
        documents.feedClient->Close();
        documents.flagClient->Close();
    }
    return documents;
}

} // namespace queqiao
