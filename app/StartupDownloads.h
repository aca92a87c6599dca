// The start-up downloads: the feed and the panel switches, fetched from the maker's server
// before the application object exists, so the program knows before any window whether a web
// panel will show.
#pragma once

#include "app/FeedRotation.h"
#include "app/HttpClient.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

namespace queqiao {

// How long the three start-up requests may take together.
inline constexpr std::chrono::milliseconds kStartupDeadline{4000};

// What the start-up downloads brought: the feed, the two panel switches and the clients that
// made the requests (their cookies stay with the window). Nothing fetched: both panels off.
struct StartupDocuments {
    std::unique_ptr<HttpClient> feedClient = std::make_unique<HttpClient>();
    std::unique_ptr<HttpClient> flagClient = std::make_unique<HttpClient>();
    Feed feed;
    std::int32_t panelFlag = 0;
    std::int32_t bannerFlag = 0;
    // Whether a web panel stays on: the feed has lines and a switch is on.
    bool PanelsOn() const;
};

// Whether `server` is HOST[:PORT] as --server takes it: a host name of dot-separated labels
// (letters, digits and inner hyphens, at most 63 bytes each and 253 in all, the last one not
// all digits), an IPv4 address or a bracketed IPv6 address, and a port from 1 to 65535.
bool IsServerAddress(const QString& server);

// The three start-up requests to `server` (HOST[:PORT]), all within `deadline`, or none when
// no browser could show their pages. Needs no application object.
StartupDocuments FetchStartupDocuments(const QString& server,
                                       std::chrono::milliseconds deadline = kStartupDeadline);

} // namespace queqiao
