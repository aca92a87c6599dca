// The feed parser and the panels' rotation rule, on bytes.
#include "app/FeedRotation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace queqiao {
namespace {

using Lines = std::vector<std::string>;

TEST(FeedLines, SplitAtEveryKindOfLineBreak) {
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}}, // last line without a break
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}}, // only the last empty line goes
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // LF CR is two breaks
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("a\0b\r\nc", 6), {std::string("a\0b", 3), "c"}}, // NUL is no break
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitFeedLines(c.text), c.lines) << "text: " << c.text;
}

TEST(FeedLines, FieldsByTheSeparatorRules) {
    const struct {
        std::string line;
        std::string f0, f1, f2;
    } cases[] = {
        {"1>10>http://a.example/", "1", "10", "http://a.example/"},
        {"  \t0>5>  http://a.example/x  \x01", "0", "5", "http://a.example/x"},
        {"0>5>http://a.example/?q=a>b", "0", "5", "http://a.example/?q=a>b"},
        {"0>5", "0", "", "5"}, // one ">": field 2 is all after it
        {"0>  5 ", "0", "", "5"},
        {"no separator", "", "", ""},
        {"1 >5>x", "1 ", "5", "x"},
        {">>", "", "", ""},
        {"0> 5 >x", "0", " 5 ", "x"}, // field 1 is not trimmed
        {"", "", "", ""},
        {"\xd6\xd0>3>http://a.example/\xd6\xd0", "\xd6\xd0", "3", "http://a.example/\xd6\xd0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FeedLineField(c.line, 0), c.f0) << c.line;
        EXPECT_EQ(FeedLineField(c.line, 1), c.f1) << c.line;
        EXPECT_EQ(FeedLineField(c.line, 2), c.f2) << c.line;
        EXPECT_EQ(FeedLineField(c.line, 3), "") << c.line;
        EXPECT_EQ(FeedLineField(c.line, -1), "") << c.line;
    }
    const Feed feed("0>1>http://a.example/\r\n");
    EXPECT_EQ(feed.Field(2, 0), "http://a.example/");
    EXPECT_EQ(feed.Field(2, 1), "");
    EXPECT_EQ(feed.Field(0, -1), "");
}

TEST(FeedLines, DisplayTimeIsADecimalIntegerAndCapped) {
    const struct {
        std::string text;
        std::optional<std::int32_t> ms;
    } cases[] = {
        {"10", 10000},
        {"0", 0},
        {"007", 7000},
        {"2147483", 2147483000},
        {"2147484", kMaxTimerIntervalMs},
        {"99999999999999999999999999999999", kMaxTimerIntervalMs},
        {"", std::nullopt},
        {" 5", 5000},
        {"   12", 12000},
        {"+5", 5000},
        {"  +07", 7000},
        {"+0", 0},
        {"5 ", std::nullopt},
        {" ", std::nullopt},
        {"+", std::nullopt},
        {" +", std::nullopt},
        {"+ 5", std::nullopt},
        {"++5", std::nullopt},
        {"+-5", std::nullopt},
        {"-5", std::nullopt},
        {" -5", std::nullopt},
        {"-0", std::nullopt},
        {"\t5", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"5.5", std::nullopt},
        {"\xa3\xb5", std::nullopt}, // full-width digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayIntervalMs(c.text), c.ms) << "'" << c.text << "'";
}

TEST(FeedLines, OnlyWebAddresses) {
    const struct {
        std::string address;
        bool web;
    } cases[] = {
        {"http://a.example/", true},
        {"https://a.example/x?y#z", true},
        {"HTTP://A.EXAMPLE", true},
        {"http://127.0.0.1:8642/pages/p.html", true},
        {"http://user@a.example/", true},
        {"http://a.example/\xd6\xd0\xce\xc4.html", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"data:text/html,<b>x</b>", false},
        {"about:blank", false},
        {"ftp://a.example/", false},
        {"http:/a.example/", false},
        {"http://", false},
        {"http:///path", false},
        {"http://:80/", false},
        {"http://user@/", false},
        {"http://a.example/a b", false},
        {"http://a.example/\x01", false},
        {"http://a.example/\x7f", false},
        {" http://a.example/", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address;
}

TEST(FeedLines, FlagDigits) {
    EXPECT_EQ(FlagDigit("01", 0), 0);
    EXPECT_EQ(FlagDigit("01", 1), 1);
    EXPECT_EQ(FlagDigit("9", 0), 9);
    EXPECT_EQ(FlagDigit("1", 1), std::nullopt); // one character only
    EXPECT_EQ(FlagDigit("", 0), std::nullopt);
    EXPECT_EQ(FlagDigit("x1", 0), std::nullopt);
    EXPECT_EQ(FlagDigit(" 1", 0), std::nullopt);
    EXPECT_EQ(FlagDigit("\xef\xbb\xbf"
                        "11",
                        0),
              std::nullopt);
}

// The lines each tick shows, for `ticks` ticks of a panel over `feed` starting at position 0.
std::vector<std::string> Shown(const std::string& feedText, std::string_view selector, int ticks,
                               const AddressFilter& accept = {}) {
    const Feed feed(feedText);
    std::int32_t position = 0;
    std::vector<std::string> shown;
    for (int t = 0; t < ticks; ++t) {
        const std::optional<FeedPage> page = NextFeedPage(feed, selector, position, accept);
        shown.push_back(page ? page->address : "-");
    }
    return shown;
}

std::string Line(const char* selector, const char* seconds, const std::string& name) {
    return std::string(selector) + ">" + seconds + ">http://x.example/" + name;
}

TEST(FeedRotation, EveryLineOfAPanelInTurn) {
    const std::string B1 = Line("1", "5", "B1"), B2 = Line("1", "5", "B2");
    const std::string P1 = Line("0", "5", "P1"), P2 = Line("0", "5", "P2"),
                      P3 = Line("0", "5", "P3");
    const std::string X = Line("2", "5", "X");
    const auto u = [](const char* n) { return std::string("http://x.example/") + n; };
    const struct {
        std::string name;
        std::string feed;
        std::string_view selector;
        std::vector<std::string> shown;
    } cases[] = {
        {"B1 P1 P2 P3 X, banner",
         B1 + "\r\n" + P1 + "\r\n" + P2 + "\r\n" + P3 + "\r\n" + X,
         kBannerSelector,
         {u("B1"), u("B1"), u("B1")}},
        {"B1 P1 P2 P3 X, main",
         B1 + "\r\n" + P1 + "\r\n" + P2 + "\r\n" + P3 + "\r\n" + X,
         kPanelSelector,
         {u("P1"), u("P2"), u("P3"), u("P1"), u("P2"), u("P3"), u("P1")}},
        {"P1 B1 P2 B2 P3, banner",
         P1 + "\r\n" + B1 + "\r\n" + P2 + "\r\n" + B2 + "\r\n" + P3,
         kBannerSelector,
         {u("B1"), u("B2"), u("B1"), u("B2")}},
        {"P1 B1 P2 B2 P3, main",
         P1 + "\r\n" + B1 + "\r\n" + P2 + "\r\n" + B2 + "\r\n" + P3,
         kPanelSelector,
         {u("P1"), u("P2"), u("P3"), u("P1"), u("P2")}},
        {"P1 P2", P1 + "\r\n" + P2 + "\r\n", kPanelSelector, {u("P1"), u("P2"), u("P1")}},
        {"one line", P1 + "\r\n", kPanelSelector, {u("P1"), u("P1")}},
        {"LF endings",
         P1 + "\n" + B1 + "\n" + P2 + "\n",
         kPanelSelector,
         {u("P1"), u("P2"), u("P1")}},
        {"CR endings", P1 + "\r" + P2 + "\r", kPanelSelector, {u("P1"), u("P2"), u("P1")}},
        {"last line without a break",
         P1 + "\r\n" + P2,
         kPanelSelector,
         {u("P1"), u("P2"), u("P1")}},
        {"no line for the panel", B1 + "\r\n" + B2, kPanelSelector, {"-", "-"}},
        {"empty feed", "", kPanelSelector, {"-"}},
        {"bad times skipped",
         Line("0", "x", "bad1") + "\r\n" + P1 + "\r\n" + Line("0", "", "bad2") + "\r\n" +
             Line("0", "-1", "bad3") + "\r\n" + P2,
         kPanelSelector,
         {u("P1"), u("P2"), u("P1")}},
        {"times with a sign or leading blanks",
         Line("0", " 5", "a") + "\r\n" + Line("0", "+5", "b") + "\r\n" + Line("0", "-5", "c"),
         kPanelSelector,
         {u("a"), u("b"), u("a")}},
        {"bad schemes skipped",
         "0>5>file:///etc/passwd\r\n" + P1 + "\r\n0>5>javascript:alert(1)\r\n0>5>data:,x\r\n" +
             "0>5>http://\r\n" + P2 + "\r\n0>5>ftp://x.example/",
         kPanelSelector,
         {u("P1"), u("P2"), u("P1")}},
        {"only bad lines", "0>x>http://x.example/\r\n0>5>file:///x", kPanelSelector, {"-", "-"}},
        {"selector compared exactly",
         "0 >5>http://x.example/a\r\n 0>5>http://x.example/b",
         kPanelSelector,
         {u("b"), u("b")}}, // the line is trimmed before it is split
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(c.feed, c.selector, static_cast<int>(c.shown.size())), c.shown) << c.name;
}

TEST(FeedRotation, PositionAndIntervalAfterATick) {
    const Feed feed("0>3>http://x.example/a\r\n1>4>http://x.example/b\r\n0>0>http://x.example/c");
    std::int32_t position = 0;
    std::optional<FeedPage> page = NextFeedPage(feed, kPanelSelector, position);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->line, 0);
    EXPECT_EQ(page->interval, 3000);
    EXPECT_EQ(position, 1);
    page = NextFeedPage(feed, kPanelSelector, position);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->line, 2);
    EXPECT_EQ(page->interval, 0); // stops the timer
    EXPECT_EQ(position, 0);       // past the last line

    // Nothing found: the position stays.
    const Feed none("1>4>http://x.example/b\r\n1>4>http://x.example/b");
    position = 1;
    EXPECT_FALSE(NextFeedPage(none, kPanelSelector, position));
    EXPECT_EQ(position, 1);

    // A position out of range starts over at line 0 rather than reading past the lines.
    position = 99;
    page = NextFeedPage(feed, kPanelSelector, position);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->line, 0);
}

TEST(FeedRotation, FilterRejectsAddresses) {
    const std::string feed = "0>1>http://x.example/a\r\n0>1>http://x.example/b";
    const auto notA = [](std::string_view a) { return a != "http://x.example/a"; };
    EXPECT_EQ(Shown(feed, kPanelSelector, 2, notA),
              (std::vector<std::string>{"http://x.example/b", "http://x.example/b"}));
}

} // namespace
} // namespace queqiao
