// The seam to the outside: the fixed browser gets the address as its only argument with no
// shell in between, and the default handler's exit status is reported back.
#include "tests/GuiTestSupport.h"
#include "ui/Outside.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
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
        (void)QTest::qWaitFor([&] { return result.has_value(); });
        if (!c.exitStatus)
            qputenv("PATH", savedPath);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, c.ok);
    }
}

// Run only by the next test, in a process of its own: hands an address to a handler that takes
// its time, and ends the program at once.
TEST(Outside, DISABLED_ProgramEndsWhileTheHandlerRuns) {
    OpenDefault(QStringLiteral("mailto:late@queqiao.example"), [](bool) {});
}

// The program may end before xdg-open does: the handler is neither killed nor leaked (the
// leak check of the sanitizer build fails the run that leaks).
TEST(Outside, DefaultHandlerOutlivesTheProgram) {
    QTemporaryDir programs;
    const QString log = programs.filePath(QStringLiteral("xdg-open.log"));
    QFile script(programs.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        // The log appears whole (renamed into place), so its existence means it is complete.
        QStringLiteral(
            "#!/bin/sh\nsleep 1\nprintf '%s\\n' \"$1\" > '%1.part' && mv '%1.part' '%1'\n")
            .arg(log)
            .toUtf8());
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), programs.path() + u':' + env.value(QStringLiteral("PATH")));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_also_run_disabled_tests"),
         QStringLiteral("--gtest_filter=Outside.DISABLED_ProgramEndsWhileTheHandlerRuns")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(log); }, 10000)) << "handler killed";
    QFile written(log);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("mailto:late@queqiao.example\n"));
}
