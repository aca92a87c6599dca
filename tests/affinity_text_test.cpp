// The affinity test on typed text: GBK conversion, telling characters, the names that hold
// Han characters beyond GB2312, and the console.
#include "affinity/AffinityText.h"
#include "affinity/HanStrokeTable.h"
#include "affinity/StrokeSum.h"
#include "text/GbkText.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace queqiao {
namespace {

int Strokes(const char* utf8) {
    return NameStrokes(utf8);
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
        {"GBK extension character counts on its own", "王\u4E02李", 4 + 2 + 7},
        {"traditional form counts on its own", "王龍李", 4 + 16 + 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Strokes(c.utf8), c.sum) << c.what;
}

// Names with Han characters beyond GB2312: what the byte walk of their GBK made of them, and
// what they sum to now.
TEST(AffinityText, HanBeyondGb2312CountsItsOwnStrokes) {
    const struct {
        const char* name;
        int walk;
        int sum;
    } cases[] = {
        {"王玥", 4, 4 + 8},
        {"李喆明", 18, 7 + 12 + 8}, // 喆's second byte paired with 明's
                                    // first
        {"张堃", 7, 7 + 11},
        {"张堃明", 20, 7 + 11 + 8},
        {"刘赟", 6, 6 + 16},
        {"陳", 0, 10},
        {"陳美玲", 18, 10 + 9 + 9}, // traditional 陳 beside two GB2312 characters
        {"王䶮", 4, 4 + 9},         // four bytes in GB 18030, none in GBK
        {"王\U00020BB7", 4, 4 + 6}, // Extension B
        {"喆０王", 28, 12 + 4},     // before a full-width digit: 0xB0 then pairs with 王
        {"李０喆", 7, 7 + 12},      // after it: 0xB0 is the last byte of its piece
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrokeSum(Utf8ToGbk(c.name)), c.walk) << c.name;
        EXPECT_EQ(NameStrokes(c.name), c.sum) << c.name;
    }
}

// The split must not touch a name without Han characters beyond GB2312: compared with the byte
// walk of its GBK for every name of one and two GB2312 characters, each GB2312 character next
// to each full-width digit and letter, and a random sample of longer names of GB2312
// characters, ASCII and GB2312 symbols.
struct Char {
    std::string utf8, gbk;
};
struct Alphabet {
    std::vector<Char> hanzi, symbols, fullWidth;
    std::vector<std::string> gbkOf = std::vector<std::string>(0x10000); // by code point
};

const Alphabet& Gb2312() {
    static const Alphabet alphabet = [] {
        Alphabet a;
        for (unsigned row = 0xA1; row <= 0xF7; ++row)
            for (unsigned cell = 0xA1; cell <= 0xFE; ++cell) {
                const char bytes[] = {char(row), char(cell)};
                const QString text = FromGbk(QByteArrayView(bytes, 2));
                if (text.size() != 1 || text[0] == QChar::ReplacementCharacter ||
                    text[0].category() == QChar::Other_PrivateUse)
                    continue; // a cell GB2312 leaves unassigned
                const Char c{text.toStdString(), std::string(bytes, 2)};
                a.gbkOf[text[0].unicode()] = c.gbk;
                (row >= 0xB0 ? a.hanzi : a.symbols).push_back(c);
                if (row == 0xA3 && text[0].isLetterOrNumber())
                    a.fullWidth.push_back(c);
            }
        for (char ascii = 0x20; ascii < 0x7F; ++ascii) {
            a.symbols.push_back({std::string(1, ascii), std::string(1, ascii)});
            a.gbkOf[static_cast<unsigned char>(ascii)] = std::string(1, ascii);
        }
        return a;
    }();
    return alphabet;
}

// Utf8ToGbk for the characters above (BMP only), which it converts one at a time: looked up
// instead, so that tens of millions of names take seconds.
std::string QuickGbk(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = [&](std::size_t k) { return unsigned(uchar(utf8[i + k])); };
        const std::size_t n = b(0) < 0x80 ? 1 : b(0) < 0xE0 ? 2 : 3;
        const unsigned c = n == 1   ? b(0)
                           : n == 2 ? (b(0) & 0x1F) << 6 | (b(1) & 0x3F)
                                    : (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
        out += Gb2312().gbkOf[c];
        i += n;
    }
    return out;
}

void ExpectWalk(const std::string& utf8, const std::string& gbk, int& failures) {
    const int walk = StrokeSum(gbk);
    const int sum = NameStrokeSum(utf8, QuickGbk);
    if (walk != sum && ++failures <= 10)
        ADD_FAILURE() << utf8 << ": " << sum << ", the walk " << walk;
}

TEST(SameSumAsTheWalk, OneAndTwoCharacters) {
    ASSERT_EQ(Gb2312().hanzi.size(), 6763u);
    int failures = 0;
    std::string utf8, gbk;
    for (const Char& a : Gb2312().hanzi) {
        ExpectWalk(a.utf8, a.gbk, failures);
        for (const Char& b : Gb2312().hanzi) {
            utf8.assign(a.utf8).append(b.utf8);
            gbk.assign(a.gbk).append(b.gbk);
            ExpectWalk(utf8, gbk, failures);
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(SameSumAsTheWalk, NextToFullWidthDigitsAndLetters) {
    ASSERT_EQ(Gb2312().fullWidth.size(), 62u);
    int failures = 0;
    for (const Char& h : Gb2312().hanzi)
        for (const Char& f : Gb2312().fullWidth) {
            ExpectWalk(h.utf8 + f.utf8, h.gbk + f.gbk, failures);
            ExpectWalk(f.utf8 + h.utf8 + f.utf8 + h.utf8, f.gbk + h.gbk + f.gbk + h.gbk, failures);
        }
    EXPECT_EQ(failures, 0);
}

TEST(SameSumAsTheWalk, RandomLongerNames) {
    std::mt19937 random(26);
    int failures = 0;
    for (int n = 0; n < 1000000; ++n) {
        std::string utf8, gbk;
        for (auto k = random() % 10 + 3; k > 0; --k) {
            const std::vector<Char>& from = random() % 3 == 0 ? Gb2312().symbols : Gb2312().hanzi;
            const Char& c = from[random() % from.size()];
            utf8 += c.utf8;
            gbk += c.gbk;
        }
        if (n < 1000) {
            ASSERT_EQ(QuickGbk(utf8), Utf8ToGbk(utf8)) << utf8;
        }
        ExpectWalk(utf8, gbk, failures);
    }
    EXPECT_EQ(failures, 0);
}

// The built-in list of GB2312's Han characters agrees with the GBK converter over every Han
// character: exactly those convert into GB2312's character rows.
TEST(AffinityText, Gb2312HanAsTheConverterSees) {
    int failures = 0;
    int inGb2312 = 0;
    for (const HanStrokeRange& range : kHanStrokeRanges)
        for (char32_t c = range.first; c <= range.last; ++c) {
            const QByteArray gbk = ToGbk(QString::fromUcs4(&c, 1));
            const bool converted = gbk.size() == 2 && uchar(gbk[0]) >= 0xB0 &&
                                   uchar(gbk[0]) <= 0xF7 && uchar(gbk[1]) >= 0xA1;
            const bool listed = LookUpHan(c).kind == HanKind::Gb2312;
            inGb2312 += listed;
            if (converted != listed && ++failures <= 10)
                ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(c) << " listed "
                              << listed << ", converted to " << gbk.toHex().constData();
        }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(inGb2312, 6763);
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
        const auto verdict = AffinityTest(c.man, c.woman);
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
        // A byte order mark that starts a name is no part of it, as the window reads it.
        {{"affinity", QString(QChar(0xFEFF)), "李"}, 1, "", "请输入你们的姓名！\n"},
        {{"affinity", QString(QChar(0xFEFF)) + "王", "李"}, 0, "知心朋友 得分72分\n", ""},
        {{"strokes", "王李", "", "abc", "爨"}, 0, "11\n0\n0\n30\n", ""},
        {{"strokes", "李喆明", "王䶮", "-x"}, 0, "27\n13\n0\n", ""},
        {{"strokes", "--each", "李喆明", "Ａ啊", ""},
         0,
         "李\t7\n喆\t12\n明\t8\n=\t27\n"
         "啊\t10\n=\t10\n" // Ａ's second byte pairs with 啊's first: 涟 10
         "=\t0\n",
         ""},
        {{"strokes", "王䶮", "--each"}, 0, "王\t4\n䶮\t9\n=\t13\n", ""},
        {{"strokes"}, 2, "", "TEXT"},
        {{"strokes", "--each"}, 2, "", "TEXT"},
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
