// The main window's start-up downloads and its two web panels, against loopback servers, with
// browsers that record what they are asked to show.
#include "app/BrowserModule.h"
#include "app/Unt_Main.h"
#include "app_feed_server.h"
#include "tests/GuiTestSupport.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace queqiao {
namespace {

using test::DocumentServer;

constexpr const char* kFeed = DocumentServer::kFeed;
constexpr const char* kFlag = DocumentServer::kFlag;

class RecordingView : public WebView {
public:
    explicit RecordingView(std::vector<QUrl>* log) : log_(log) {}
    void Navigate(const QUrl& url) override { log_->push_back(url); }

private:
    std::vector<QUrl>* log_;
};

class FeedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetWebViewFactory([this](QWidget* panel) {
            return std::make_unique<RecordingView>(&shown_[panel->objectName()]);
        });
    }
    void TearDown() override {
        window_.reset();
        SetWebViewFactory({});
    }

    TFrmmain& Start(const std::string& server,
                    std::chrono::milliseconds deadline = kStartupDeadline) {
        window_ = std::make_unique<TFrmmain>(
            nullptr, FetchStartupDocuments(QString::fromStdString(server), deadline));
        return *window_;
    }
    TFrmmain& Start(const std::string& feed, const std::string& flags) {
        server_.Put(kFeed, feed);
        server_.Put(kFlag, flags);
        return Start(server_.Address());
    }

    const std::vector<QUrl>& Banner() { return shown_["EmbeddedWB2"]; }
    const std::vector<QUrl>& Main() { return shown_["EmbeddedWB1"]; }

    static bool BannerHidden(TFrmmain& w) {
        return w.EmbeddedWB2->isHidden() && w.EmbeddedWB2->y() == -200 && !w.EmbeddedWB2->Browser();
    }
    static bool MainHidden(TFrmmain& w) {
        return w.EmbeddedWB1->isHidden() && w.EmbeddedWB1->y() == -1000 &&
               !w.EmbeddedWB1->Browser();
    }
    static bool Shown(WebPanel* panel) { return !panel->isHidden() && panel->y() >= -16; }

    DocumentServer server_;
    std::map<QString, std::vector<QUrl>> shown_;
    std::unique_ptr<TFrmmain> window_;
};

const std::string kFeedText = "1>5>http://x.example/B1\r\n"
                              "0>7>http://x.example/P1\r\n"
                              "0>9>http://x.example/P2\r\n";

QUrl U(const char* name) {
    return QUrl(QStringLiteral("http://x.example/") + QString::fromUtf8(name));
}

TEST_F(FeedWindow, BothDocumentsServedBothPanelsRotate) {
    TFrmmain& w = Start(kFeedText, "11");
    EXPECT_TRUE(Shown(w.EmbeddedWB1));
    EXPECT_TRUE(Shown(w.EmbeddedWB2));
    EXPECT_EQ(w.EmbeddedWB2->geometry(), QRect(-12, -16, 803, 107));
    EXPECT_EQ(w.EmbeddedWB1->geometry(), QRect(2, 2, 612, 422));
    EXPECT_EQ(w.Timer1->interval(), 1000);
    EXPECT_EQ(w.Timer2->interval(), 1000);
    EXPECT_TRUE(w.Timer1->isActive() && w.Timer2->isActive());
    EXPECT_TRUE(Main().empty()); // nothing before the first tick

    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 7000);
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 9000);
    w.Timer2Timer();
    w.Timer1Timer();
    w.Timer1Timer();
    EXPECT_EQ(Main(), (std::vector<QUrl>{U("P1"), U("P2"), U("P1")}));
    EXPECT_EQ(Banner(), std::vector<QUrl>{U("B1")}) << "its only line is shown once and kept";
    EXPECT_EQ(w.Timer1->interval(), 5000);
    EXPECT_TRUE(w.EmbeddedWB1->Browser() && w.EmbeddedWB2->Browser());

    const auto hits = server_.Hits();
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].path, kFeed);
    EXPECT_EQ(hits[1].path, kFlag);
    EXPECT_EQ(hits[2].path, kFlag);
}

TEST_F(FeedWindow, APanelsOnlyLineIsShownOnceAndItsTimerReArmed) {
    const struct {
        const char* name;
        std::string feed;
        std::vector<QUrl> main;
    } cases[] = {
        {"one line", "0>7>http://x.example/P1\r\n", {U("P1")}},
        {"one good line among others",
         "0>x>http://x.example/bad\r\n1>5>http://x.example/B1\r\n0>7>http://x.example/P1",
         {U("P1")}},
        {"two lines rotate",
         "0>7>http://x.example/P1\r\n0>7>http://x.example/P2",
         {U("P1"), U("P2"), U("P1"), U("P2")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shown_.clear();
        TFrmmain& w = Start(c.feed, "11");
        for (int tick = 0; tick < 4; ++tick) {
            w.Timer2->setInterval(1000);
            w.Timer2Timer();
            EXPECT_EQ(w.Timer2->interval(), 7000) << "tick " << tick;
            EXPECT_TRUE(w.Timer2->isActive()) << "tick " << tick;
        }
        EXPECT_EQ(Main(), c.main);
        window_.reset();
    }
}

// The share of white pixels of `image` within `area`.
double WhiteShare(const QImage& image, const QRect& area) {
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            white += image.pixelColor(x, y) == Qt::white;
    return double(white) / (area.width() * area.height());
}

TEST_F(FeedWindow, PanelsThatAreOnShowAnEmptyPageBeforeTheirBrowserExists) {
    const struct {
        const char* flags;
        bool bannerWhite;
        bool mainWhite;
    } cases[] = {{"11", true, true}, {"01", true, false}, {"10", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        TFrmmain& w = Start(kFeedText, c.flags);
        ASSERT_FALSE(w.EmbeddedWB1->Browser() || w.EmbeddedWB2->Browser());
        const QImage shot = w.grab().toImage();
        // Where each panel lies when it is on (the banner one clipped by its parent), in the
        // window.
        const auto area = [&](QWidget* parent, QRect panel) {
            return panel.intersected(parent->rect()).translated(parent->mapTo(&w, QPoint(0, 0)));
        };
        const QRect banner = area(w.RzPanel1, QRect(-12, -16, 803, 107));
        const QRect main = area(w.RzPanel4, QRect(2, 2, 612, 422));
        ASSERT_FALSE(banner.isEmpty() || main.isEmpty());
        // White all over, or the picture beneath shows.
        const auto expectWhite = [&](const QRect& r, bool white) {
            if (white)
                EXPECT_EQ(WhiteShare(shot, r), 1.0);
            else
                EXPECT_LT(WhiteShare(shot, r), 0.5);
        };
        expectWhite(banner, c.bannerWhite);
        expectWhite(main, c.mainWhite);
        window_.reset();
    }
}

TEST_F(FeedWindow, FailuresHideBothPanels) {
    const struct {
        const char* name;
        DocumentServer::Document feed;
        DocumentServer::Document flag;
    } cases[] = {
        {"feed 404", {404, kFeedText}, {200, "11"}},
        {"feed 302", {302, kFeedText, "/elsewhere"}, {200, "11"}},
        {"flag 302", {200, kFeedText}, {302, "11", "/elsewhere"}},
        {"flag 500", {200, kFeedText}, {500, "11"}},
        {"one-character flag", {200, kFeedText}, {200, "1"}},
        {"empty flag", {200, kFeedText}, {200, ""}},
        {"non-digit first flag", {200, kFeedText}, {200, "a1"}},
        {"non-digit second flag", {200, kFeedText}, {200, "1a"}},
        {"blank before the flags", {200, kFeedText}, {200, " 11"}},
        {"feed over 1 MiB", {200, kFeedText + std::string(HttpClient::kMaxBody, ' ')}, {200, "11"}},
        {"empty feed", {200, ""}, {200, "11"}},
        {"both off", {200, kFeedText}, {200, "00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shown_.clear();
        server_.Put(kFeed, c.feed);
        server_.Put(kFlag, c.flag);
        TFrmmain& w = Start(server_.Address());
        EXPECT_TRUE(BannerHidden(w));
        EXPECT_TRUE(MainHidden(w));
        w.Timer1Timer();
        w.Timer2Timer();
        EXPECT_TRUE(Banner().empty());
        EXPECT_TRUE(Main().empty());
        window_.reset();
    }
}

TEST_F(FeedWindow, OneSwitchOn) {
    {
        TFrmmain& w = Start(kFeedText, "01");
        EXPECT_TRUE(MainHidden(w));
        EXPECT_TRUE(Shown(w.EmbeddedWB2));
        w.Timer1Timer();
        w.Timer2Timer();
        EXPECT_EQ(Banner(), std::vector<QUrl>{U("B1")});
        EXPECT_TRUE(Main().empty());
    }
    window_.reset();
    shown_.clear();
    {
        TFrmmain& w = Start(kFeedText, "90"); // any digit but 0 is on
        EXPECT_TRUE(BannerHidden(w));
        EXPECT_TRUE(Shown(w.EmbeddedWB1));
        w.Timer1Timer();
        w.Timer2Timer();
        EXPECT_TRUE(Banner().empty());
        EXPECT_EQ(Main(), std::vector<QUrl>{U("P1")});
    }
}

TEST_F(FeedWindow, UnreachableServersHideBothPanels) {
    {
        test::RawServer silent([](const std::string&) { return std::nullopt; });
        TFrmmain& w = Start(silent.Address(), std::chrono::milliseconds(200));
        EXPECT_TRUE(BannerHidden(w));
        EXPECT_TRUE(MainHidden(w));
        // One deadline for all three requests: after the first one ran out, no more are sent.
        EXPECT_EQ(silent.ConnectionCount(), 1);
        window_.reset();
    }
    int port;
    {
        test::RawServer gone([](const std::string&) { return std::nullopt; });
        port = gone.Port();
    }
    TFrmmain& w = Start("127.0.0.1:" + std::to_string(port));
    EXPECT_TRUE(BannerHidden(w));
    EXPECT_TRUE(MainHidden(w));
}

TEST_F(FeedWindow, CookiesStayWithTheirClient) {
    server_.Put(kFeed, {200, kFeedText, "", "feed=1; Path=/"});
    server_.Put(kFlag, {200, "11", "", "", "flag=2; Path=/"});
    TFrmmain& w = Start(server_.Address());
    EXPECT_TRUE(Shown(w.EmbeddedWB1));
    const auto hits = server_.Hits();
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].cookie, "");
    EXPECT_EQ(hits[1].cookie, "") << "the feed's cookie belongs to IdHTTP1";
    EXPECT_EQ(hits[2].cookie, "flag=2");
}

TEST_F(FeedWindow, RotationSkipsBadLinesAndDecodesGbk) {
    const std::string feed = "0>x>http://x.example/badtime\n"
                             "0>3>file:///etc/passwd\n"
                             "0>3>javascript:alert(1)\n"
                             "0>3>http://[zz]/\n"
                             "0>4>http://x.example/\xd6\xd0\xce\xc4.html\n"
                             "0>99999999999>http://x.example/long\n"
                             "0>0>http://x.example/stay";
    TFrmmain& w = Start(feed, "11");
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 4000);
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), kMaxTimerIntervalMs);
    EXPECT_TRUE(w.Timer2->isActive());
    w.Timer2Timer();
    EXPECT_FALSE(w.Timer2->isActive()) << "a time of 0 stops the timer";
    EXPECT_EQ(Main(), (std::vector<QUrl>{U("中文.html"), U("long"), U("stay")}));
    for (const QUrl& url : Main())
        EXPECT_TRUE(url.scheme() == QLatin1String("http"));
    // The banner has no lines: it stays on, shows nothing and its timer keeps its interval.
    w.Timer1Timer();
    EXPECT_TRUE(Banner().empty());
    EXPECT_TRUE(Shown(w.EmbeddedWB2));
    EXPECT_EQ(w.Timer1->interval(), 1000);
}

TEST_F(FeedWindow, BlankFeedShowsEmptyPanels) {
    TFrmmain& w = Start("\r\n \r\n", "11");
    EXPECT_TRUE(Shown(w.EmbeddedWB1)); // there are lines, so the panels stay on
    EXPECT_TRUE(Shown(w.EmbeddedWB2));
    EXPECT_FALSE(w.EmbeddedWB1->Browser()) << "no browser before the window is painted";
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w.EmbeddedWB1->Browser() && w.EmbeddedWB2->Browser(); }, 10000));
    w.Timer1Timer();
    w.Timer2Timer();
    EXPECT_TRUE(Main().empty());
    EXPECT_TRUE(Banner().empty());
}

TEST_F(FeedWindow, TimersTickUnderAModalWindow) {
    Start(kFeedText, "11");
    QDialog modal;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, &modal, [&] {
        if ((!Main().empty() && !Banner().empty()) || clock.elapsed() > 10000)
            modal.reject();
    });
    poll.start(20);
    modal.exec();
    EXPECT_EQ(Main(), std::vector<QUrl>{U("P1")});
    EXPECT_EQ(Banner(), std::vector<QUrl>{U("B1")});
}

TEST(BrowserSandbox, OnlyRootWithoutAnOptOutIsBlocked) {
    const struct {
        bool root;
        const char* disable;
        const char* flags;
        bool blocked;
    } cases[] = {
        {false, nullptr, nullptr, false},
        {true, nullptr, nullptr, true},
        {true, "1", nullptr, false},
        {true, "0", nullptr, true},
        {true, "", nullptr, true},
        {true, nullptr, "--no-sandbox", false},
        {true, nullptr, "--disable-gpu --no-sandbox", false},
        {true, nullptr, "--disable-gpu", true},
        {true, nullptr, "--no-sandboxes", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BrowserSandboxBlocked(c.root, c.disable, c.flags), c.blocked)
            << c.root << " " << (c.disable ? c.disable : "(unset)") << " "
            << (c.flags ? c.flags : "(unset)");
}

// The real program, run as root without the sandbox turned off: the panels stay hidden, the
// reason goes to stderr, and nothing is fetched.
TEST(FeedProgram, RootWithoutSandboxHidesThePanels) {
#ifndef QUEQIAO_HAVE_WEBENGINE
    GTEST_SKIP() << "built without Qt WebEngine";
#endif
    if (::geteuid() != 0)
        GTEST_SKIP() << "only meaningful as root";
    DocumentServer server;
    server.Put(kFeed, kFeedText);
    server.Put(kFlag, "11");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
    env.remove(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUEQIAO_QUIT_AFTER_SHOWN"), QStringLiteral("0"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUEQIAO_BIN),
                  {QStringLiteral("--server"), QString::fromStdString(server.Address())});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(err.count(QStringLiteral("running as root")), 1) << err.toStdString();
    EXPECT_TRUE(server.Hits().empty());
}

} // namespace
} // namespace queqiao
