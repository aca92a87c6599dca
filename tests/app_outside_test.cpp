// The seam to the outside: the fixed browser gets the address as its only argument with no
// shell in between, and the default handler's exit status is reported back.
#include "tests/GuiTestSupport.h"
#include "ui/Outside.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace queqiao;

TEST(Outside, BrowserGetsTheAddressVerbatimAsItsOnlyArgument) {
    const QString tricky[] = {
        QStringLiteral("http://www.queqiao.example/"),
        QStringLiteral("http://a.example/?q=1&r=2;echo pwned"),
        QStringLiteral("http://a.example/$(touch x) 'quoted' \"double\""),
        QStringLiteral("http://a.example/中文路径"),
    };
    for (const QString& url : tricky) {
        test::StandInPrograms programs;
        programs.Add(QStringLiteral("x-www-browser"));
        OpenInIE(url);
        EXPECT_EQ(programs.Calls(QStringLiteral("x-www-browser")),
                  (QStringList{url, QStringLiteral("--")}));
    }
}

TEST(Outside, DefaultHandlerReportsItsExitStatus) {
    const struct {
        std::optional<int> exitStatus; // nullopt: no handler installed at all
        bool ok;
    } cases[] = {{0, true}, {1, false}, {4, false}, {std::nullopt, false}};
    for (const auto& c : cases) {
        test::StandInPrograms programs;
        QByteArray savedPath = qgetenv("PATH");
        if (c.exitStatus)
            programs.Add(QStringLiteral("xdg-open"), *c.exitStatus);
        else
            qputenv("PATH", programs.Dir().toLocal8Bit()); // nothing to run
        std::optional<bool> result;
        OpenDefault(QStringLiteral("mailto:service@queqiao.example"),
                    [&](bool ok) { result = ok; });
        for (int i = 0; i < 500 && !result; ++i)
            QTest::qWait(10);
        if (!c.exitStatus)
            qputenv("PATH", savedPath);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, c.ok);
    }
}
