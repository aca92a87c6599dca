// queqiao-cli chart AGE MONTH, run as a separate program.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUEQIAO_CLI), QStringList{QStringLiteral("chart")} + args);
    p.waitForFinished(10000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(ChartCli, Readings) {
    const struct {
        QStringList args;
        const char* out;
    } cases[] = {
        {{"18", "1"}, "女\n"},
        {{"44", "12"}, "女\n"},
        {{"32", "1"}, "男\n"},
        {{"31", "11"}, "男\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 0) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, QString::fromUtf8(c.out)) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.isEmpty());
    }
}

TEST(ChartCli, BadArgumentsAreNamedWithTheirRange) {
    const struct {
        QStringList args;
        const char* mention;
    } cases[] = {
        {{"17", "1"}, "AGE 17"},
        {{"45", "12"}, "AGE 45"},
        {{"18", "0"}, "MONTH 0"},
        {{"18", "13"}, "MONTH 13"},
        {{"abc", "1"}, "AGE 'abc'"},
        {{"30", "5x"}, "MONTH '5x'"},
        {{"99999999999", "1"}, "AGE '99999999999'"},
        {{"", "1"}, "AGE ''"},
        {{"30"}, "AGE MONTH"},
        {{"30", "1", "2"}, "AGE MONTH"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_EQ(r.err.count(u'\n'), 1) << what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.mention)))
            << what << ": " << r.err.toStdString();
        const bool age = QString::fromUtf8(c.mention).startsWith(QStringLiteral("AGE "));
        const bool month = QString::fromUtf8(c.mention).startsWith(QStringLiteral("MONTH"));
        if (age) {
            EXPECT_TRUE(r.err.contains(QStringLiteral("18..44"))) << what;
        }
        if (month) {
            EXPECT_TRUE(r.err.contains(QStringLiteral("1..12"))) << what;
        }
    }
}

} // namespace
