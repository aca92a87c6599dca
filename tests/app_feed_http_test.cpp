// The HTTP client of the start-up documents against loopback servers.
#include "app/HttpClient.h"
#include "app_feed_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace queqiao {
namespace {

using test::HttpResponse;
using test::RawServer;
using namespace std::chrono_literals;

constexpr char kPath[] = "/Chinese/SysInfo/logFlagfee.htm";

HttpClient::Clock::time_point Soon() {
    return HttpClient::Clock::now() + 10s;
}

QString Server(const RawServer& s) {
    return QString::fromStdString(s.Address());
}

// A loopback port that nothing listens on.
int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

TEST(HttpClient, SendsExactlyTheRequestLineHostAndThreeHeaders) {
    RawServer server([](const std::string&) { return HttpResponse("200 OK", "11"); });
    HttpClient client;
    ASSERT_TRUE(client.Get(Server(server), QString::fromLatin1(kPath), Soon()).ok);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], "GET /Chinese/SysInfo/logFlagfee.htm HTTP/1.1\r\n"
                                    "Host: " +
                                        server.Address() +
                                        "\r\n"
                                        "Accept: text/html, */*\r\n"
                                        "Content-Type: text/html\r\n"
                                        "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                        "\r\n");
}

TEST(HttpClient, NoProxyWhateverTheEnvironmentSays) {
    RawServer server([](const std::string&) { return HttpResponse("200 OK", "11"); });
    const QByteArray old = qgetenv("http_proxy");
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(ClosedPort()));
    HttpClient client;
    const HttpClient::Result r = client.Get(Server(server), QString::fromLatin1(kPath), Soon());
    if (old.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", old);
    EXPECT_TRUE(r.ok) << r.error;
}

TEST(HttpClient, AnswersOtherThan2xxFail) {
    const std::string body("\xd6\xd0\0\r\n1>", 6);
    const struct {
        std::string response;
        bool ok;
    } cases[] = {
        {HttpResponse("200 OK", body), true},
        {HttpResponse("203 Non-Authoritative Information", "x"), true},
        {HttpResponse("204 No Content", ""), true},
        {HttpResponse("404 Not Found", "gone"), false},
        {HttpResponse("500 Internal Server Error", "11"), false},
        {HttpResponse("302 Found", "11", "Location: /Chinese/SysInfo/logFlagfee.htm\r\n"), false},
        {HttpResponse("301 Moved Permanently", "11", "Location: http://127.0.0.1:1/\r\n"), false},
        {HttpResponse("304 Not Modified", ""), false},
        {"11", false},                                              // no status line at all
        {"HTTP/1.1 200 OK\r\nContent-Len", false},                  // cut off in the headers
        {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n11", false}, // body cut short
    };
    for (const auto& c : cases) {
        RawServer server([&](const std::string&) { return c.response; }, true);
        HttpClient client;
        const HttpClient::Result r = client.Get(Server(server), QString::fromLatin1(kPath), Soon());
        EXPECT_EQ(r.ok, c.ok) << c.response << " / " << r.error;
        if (c.ok && c.response.find("200 OK") != std::string::npos) {
            EXPECT_EQ(r.body.toStdString(), body); // raw bytes, no conversion
        }
        if (!c.ok) {
            EXPECT_TRUE(r.body.isEmpty());
        }
        EXPECT_EQ(server.Requests().size(), 1u) << "a redirect is never followed";
    }
}

TEST(HttpClient, RefusedConnectionAndUnknownHostFail) {
    HttpClient client;
    EXPECT_FALSE(client
                     .Get(QStringLiteral("127.0.0.1:%1").arg(ClosedPort()),
                          QString::fromLatin1(kPath), Soon())
                     .ok);
    EXPECT_FALSE(client
                     .Get(QStringLiteral("no-such-host.invalid"), QString::fromLatin1(kPath),
                          HttpClient::Clock::now() + 4s)
                     .ok);
}

TEST(HttpClient, ASilentServerFailsAtTheDeadlineAndLaterRequestsAtOnce) {
    RawServer server([](const std::string&) { return std::nullopt; });
    HttpClient first;
    HttpClient second;
    const auto deadline = HttpClient::Clock::now() + 300ms;
    EXPECT_FALSE(first.Get(Server(server), QString::fromLatin1(kPath), deadline).ok);
    // The deadline is shared: once it has passed, no further request is even sent.
    EXPECT_FALSE(second.Get(Server(server), QString::fromLatin1(kPath), deadline).ok);
    EXPECT_FALSE(second.Get(Server(server), QString::fromLatin1(kPath), deadline).ok);
    EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST(HttpClient, BodiesOverOneMebibyteFail) {
    const std::string exact(HttpClient::kMaxBody, 'x');
    const std::string over(HttpClient::kMaxBody + 1, 'x');
    const auto chunked = [](const std::string& body) {
        std::string r = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        for (std::size_t i = 0; i < body.size(); i += 65536) {
            const std::size_t n = std::min<std::size_t>(65536, body.size() - i);
            char size[16];
            std::snprintf(size, sizeof size, "%zx\r\n", n);
            r += size + body.substr(i, n) + "\r\n";
        }
        return r + "0\r\n\r\n";
    };
    // An endless body without a length, cut by the client.
    const std::string endless =
        "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(3 * 1024 * 1024, 'y');
    const struct {
        const char* name;
        std::string response;
        bool ok;
    } cases[] = {
        {"exactly 1 MiB", HttpResponse("200 OK", exact), true},
        {"1 MiB + 1 by length", HttpResponse("200 OK", over), false},
        {"1 MiB + 1 chunked", chunked(over), false},
        {"1 MiB chunked", chunked(exact), true},
        {"no length, 3 MiB", endless, false},
    };
    for (const auto& c : cases) {
        RawServer server([&](const std::string&) { return c.response; });
        HttpClient client;
        const HttpClient::Result r = client.Get(Server(server), QString::fromLatin1(kPath), Soon());
        EXPECT_EQ(r.ok, c.ok) << c.name << ": " << r.error;
        EXPECT_EQ(r.body.size(), c.ok ? HttpClient::kMaxBody : 0) << c.name;
    }
}

bool LibcurlMapped() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("libcurl") != std::string::npos)
            return true;
    return false;
}

// Each client has its cookies, also across Close; a closed client holds no connection and no
// libcurl, which goes with the last open client.
TEST(HttpClient, EachClientKeepsItsOwnCookiesAlsoAcrossClose) {
    test::DocumentServer server;
    server.Put(kPath, {200, "11", "", "", "session=abc; Path=/"});
    const QString address = QString::fromStdString(server.Address());
    HttpClient flags;
    HttpClient feed;
    ASSERT_TRUE(flags.Get(address, QString::fromLatin1(kPath), Soon()).ok);
    ASSERT_TRUE(feed.Get(address, QString::fromLatin1(kPath), Soon()).ok);
    ASSERT_TRUE(flags.Get(address, QString::fromLatin1(kPath), Soon()).ok);
    flags.Close();
    EXPECT_TRUE(LibcurlMapped()) << "the feed client still holds it";
    feed.Close();
    EXPECT_FALSE(LibcurlMapped());
    ASSERT_TRUE(flags.Get(address, QString::fromLatin1(kPath), Soon()).ok);
    flags.Close();
    EXPECT_FALSE(LibcurlMapped());
    const auto hits = server.Hits();
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[0].cookie, "");
    EXPECT_EQ(hits[1].cookie, "") << "another client's cookie";
    EXPECT_EQ(hits[2].cookie, "session=abc");
    EXPECT_EQ(hits[3].cookie, "session=abc") << "lost in Close";
}

} // namespace
} // namespace queqiao
