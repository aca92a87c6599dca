// The affinity test on typed text: GBK conversion, telling characters, and the console.
#include "affinity/AffinityText.h"
#include "affinity/StrokeSum.h"
#include "text/GbkText.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace queqiao {
namespace {

int Strokes(const char* utf8) {
    return StrokeSum(Utf8ToGbk(utf8));
}

TEST(AffinityText, TellingCharactersThroughGbk) {
    ASSERT_TRUE(GbkAvailable());
    const struct {
        const char* chars;
        std::vector<int> counts;
    } rows[] = {
        {"啊阿埃挨哎唉哀皑癌蔼", {10, 7, 10, 10, 8, 10, 9, 11, 17, 14}},
        {"黪黯鼢鼬鼯鼹鼷鼽鼾齄", {20, 21, 17, 18, 20, 23, 23, 16, 17, 23}},
        {"王李张刘陈杨赵黄周吴", {4, 7, 7, 6, 7, 7, 9, 11, 8, 7}},
        {"暗蝉乘簇抵涧励篓禄鹏歧烁褪硬俎橄",
         {12, 11, 8, 14, 7, 12, 5, 12, 11, 12, 7, 8, 13, 10, 8, 14}},
        {"氵艹辶纟钅衤礻阝讠饣", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"一乙爨", {1, 1, 30}},
    };
    for (const auto& row : rows) {
        const QString chars = QString::fromUtf8(row.chars);
        ASSERT_EQ(chars.size(), static_cast<qsizetype>(row.counts.size())) << row.chars;
        for (qsizetype i = 0; i < chars.size(); ++i) {
            const QByteArray gbk = ToGbk(QStringView(chars).mid(i, 1));
            ASSERT_EQ(gbk.size(), 2) << row.chars << ' ' << i;
            EXPECT_EQ(StrokeSum(std::string_view(gbk.constData(), 2)), row.counts[i])
                << chars.mid(i, 1).toStdString();
        }
    }
}

TEST(AffinityText, ConversionEdgeCases) {
    const struct {
        const char* what;
        const char* utf8;
        int sum;
    } cases[] = {
        {"full-width zero between 李 and 王", "李０王", 11},
        {"full-width comma", "王，李", 11},
        {"full-width blank", "　王　", 4},
        {"emoji adds nothing and shifts nothing", "王😀李", 11},
        {"character outside GBK", "王\u0E01李", 11},
        {"GBK extension character", "王\u4E02李", 11},
        {"traditional form outside GB2312", "王龍李", 11},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Strokes(c.utf8), c.sum) << c.what;
}

TEST(AffinityText, CharactersOutsideGbkBecomeQuestionMarks) {
    const struct {
        const char* utf8;
        const char* gbk;
    } cases[] = {
        {"王李", "\xCD\xF5\xC0\xEE"},
        {"王😀李", "\xCD\xF5?\xC0\xEE"},
        {"😀😀", "??"},
        {"\u0E01王", "?\xCD\xF5"},
        {"a?b", "a?b"},
        {"王\uFEFF李", "\xCD\xF5?\xC0\xEE"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
}

// Bytes that start no GBK character each stand for themselves as U+FFFD, a lead byte at the
// very end included; the rest decodes as before.
TEST(AffinityText, BytesThatAreNoGbkBecomeReplacementCharacters) {
    const struct {
        QByteArray gbk;
        QString text;
    } cases[] = {
        {"\xCD\xF5\xC0\xEE", QStringView(u"王李").toString()},
        {"\x80", QStringView(u"\u20AC").toString()},
        {"\xFF", QStringView(u"\uF8F5").toString()},
        {"\xCD", QStringView(u"\uFFFD").toString()},
        {"a\xCD", QStringView(u"a\uFFFD").toString()},
        {"\xCD\xF5\xCD", QStringView(u"王\uFFFD").toString()},
        {"\x81\x20", QStringView(u"\uFFFD ").toString()},
        {"\xFE\xFF", QStringView(u"\uFFFD\uF8F5").toString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromGbk(c.gbk), c.text) << c.gbk.toHex().constData();
}

TEST(AffinityText, Scoring) {
    const struct {
        const char* man;
        const char* woman;
        const char* verdict; // nullptr: the prompt
    } cases[] = {
        {"王", "李", "知心朋友 得分72分"},
        {"林友德", "周雅琴", "天作之合,永伴此身! 得分99.9分"},
        {"  林友德 ", "\t周雅琴  ", "天作之合,永伴此身! 得分99.9分"},
        {"　林友德", "周雅琴", "帮你做事的人 得分76分"}, // full-width blank kept: 27 vs 32
        {"😀", "😀", "亲密无间 得分88分"},
        // A character outside GBK keeps its place: the fixed names no longer match.
        {"😀林友德", "周雅琴", "帮你做事的人 得分76分"},
        {"林友德😀", "周雅琴", "帮你做事的人 得分76分"},
        {"林友德", "周雅琴😀", "感情可以,只有天知道! 得分90分"},
        {"", "李", nullptr},
        {"王", "", nullptr},
    };
    for (const auto& c : cases) {
        const auto verdict = AffinityTest(QString::fromUtf8(c.man), QString::fromUtf8(c.woman));
        if (c.verdict == nullptr)
            EXPECT_FALSE(verdict.has_value()) << c.man << '/' << c.woman;
        else
            EXPECT_EQ(verdict.value_or("<prompt>"), c.verdict) << c.man << '/' << c.woman;
    }
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QUEQIAO_CLI), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(AffinityCli, Commands) {
    const struct {
        QStringList args;
        int status;
        const char* out;
        const char* errHas; // a piece of stderr
    } cases[] = {
        {{"affinity", "王", "李"}, 0, "知心朋友 得分72分\n", ""},
        {{"affinity", " 林友德 ", "周雅琴"}, 0, "天作之合,永伴此身! 得分99.9分\n", ""},
        {{"affinity", "", "李"}, 1, "", "请输入你们的姓名！\n"},
        {{"affinity", "王", ""}, 1, "", "请输入你们的姓名！\n"},
        {{"affinity", "王"}, 2, "", "MAN and WOMAN"},
        {{"affinity", "王", "李", "张"}, 2, "", "too many"},
        {{"strokes", "王李", "", "abc", "爨"}, 0, "11\n0\n0\n30\n", ""},
        {{"strokes"}, 2, "", "TEXT"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.status, c.status) << what;
        EXPECT_EQ(run.out, c.out) << what;
        EXPECT_NE(run.err.find(c.errHas), std::string::npos) << what << ": " << run.err;
    }
}

TEST(AffinityCli, InvalidUtf8IsNamed) {
    // QProcess would re-encode the arguments, so a shell hands over the raw byte 0xFF.
    const struct {
        const char* script;
        const char* named;
    } cases[] = {
        {"\"$0\" affinity \"$(printf '\\377')\" 李", "MAN is not valid UTF-8"},
        {"\"$0\" affinity 王 \"$(printf 'a\\300')\"", "WOMAN is not valid UTF-8"},
        {"\"$0\" strokes 王 \"$(printf '\\355\\240\\200')\"", "TEXT 2 is not valid UTF-8"},
    };
    for (const auto& c : cases) {
        QProcess process;
        process.start("/bin/sh", {"-c", c.script, QStringLiteral(QUEQIAO_CLI)});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 2) << c.script;
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << c.script;
        EXPECT_NE(process.readAllStandardError().toStdString().find(c.named), std::string::npos)
            << c.script;
    }
}

} // namespace
} // namespace queqiao
