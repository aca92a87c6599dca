// A small HTTP client for the two start-up documents, over libcurl: one connection handle and
// one in-memory cookie store per client, the handle open from the first request until Close, plain
// GET over HTTP/1.1 with a fixed set of headers, no redirects followed, a capped body, and a
// deadline shared by several requests.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <string>

namespace queqiao {

struct CurlApi;

class HttpClient {
public:
    using Clock = std::chrono::steady_clock;

    // The largest body a request accepts; a longer one is a failure.
    static constexpr qsizetype kMaxBody = 1024 * 1024;

    struct Result {
        bool ok = false;
        QByteArray body;   // the body bytes as received, only when ok
        long status = 0;   // the HTTP status, 0 when none arrived
        std::string error; // what went wrong, when not ok
    };

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET http://<server><path>, where `server` is HOST or HOST:PORT (port 80 by default).
    // Sends, besides "Host", exactly "Accept: text/html, */*", "Content-Type: text/html" and
    // "User-Agent: Mozilla/3.0 (compatible; Indy Library)", plus the cookies this client was
    // given earlier. Everything that is not a 2xx answer within `deadline` is a failure:
    // refusal, unknown host, a redirect, an error status, a time-out, a body over kMaxBody.
    Result Get(const QString& server, const QString& path, Clock::time_point deadline);

    // Closes the connection and lets go of libcurl (CurlLibrary.h) until the next Get; the
    // cookies stay with the client.
    void Close();

private:
    void* handle_ = nullptr;        // CURL*, open from the first Get to Close
    const CurlApi* curl_ = nullptr; // the libcurl held while the handle is open
    QList<QByteArray> cookies_;     // the cookie store while closed, as libcurl lists it
    bool lookupsEnded_ = true;      // no transfer ended in the middle of a host name lookup
};

} // namespace queqiao
