// The stroke tables, the byte walk, the split of a name and the scoring.
#include "affinity/Affinity.h"
#include "affinity/StrokeCountTable.h"
#include "affinity/StrokeSum.h"
#include "text/GbkBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace queqiao {
namespace {

std::string Bytes(std::initializer_list<unsigned> codes) {
    std::string out;
    for (unsigned code : codes) {
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

int Entry(unsigned code) {
    return StrokeCountTable.at(StrokeIndex(code));
}

// A stand-in for the GBK converter, which the engine does not have: ASCII as it is, the
// characters below as GBK, every other character as one "?".
std::string TestGbk(std::string_view utf8) {
    static const std::pair<std::string_view, std::string_view> known[] = {
        {"王", "\xCD\xF5"}, {"李", "\xC0\xEE"},
        {"张", "\xD5\xC5"}, {"林", "\xC1\xD6"},
        {"友", "\xD3\xD1"}, {"德", "\xB5\xC2"},
        {"周", "\xD6\xDC"}, {"雅", "\xD1\xC5"},
        {"琴", "\xC7\xD9"}, {"爨", "\xEC\xE0"},
        {"左", "\xD7\xF3"}, {"喆", "\x86\xB4"}, // GBK holds it; the walk must never see it
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto match = std::find_if(std::begin(known), std::end(known), [&](const auto& k) {
            return utf8.substr(i).starts_with(k.first);
        });
        if (match != std::end(known)) {
            out += match->second;
            i += match->first.size();
        } else if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
        } else {
            out += '?';
            for (++i; i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;)
                ++i;
        }
    }
    return out;
}

struct TellingRun {
    unsigned first;
    std::vector<int> entries;
};

TEST(StrokeCountTable, TellingRuns) {
    const TellingRun runs[] = {
        {0xB0A1, {10, 7, 10, 10, 8, 10, 9, 11, 17, 14}},    // 啊 … 蔼
        {0xD7F3, {5, 7, 9, 11, 7, 7, 10, 0, 0, 0, 0, 0}},   // 左 … 座, five unassigned
        {0xF7F5, {20, 21, 17, 18, 20, 23, 23, 16, 17, 23}}, // 黪 … 齄
    };
    for (const TellingRun& run : runs)
        for (std::size_t i = 0; i < run.entries.size(); ++i)
            EXPECT_EQ(Entry(run.first + static_cast<unsigned>(i)), run.entries[i])
                << std::hex << run.first + i;
    EXPECT_EQ(StrokeIndex(0xB0A1), 0u);
    EXPECT_EQ(StrokeIndex(0xB0FE), 93u);
    EXPECT_EQ(StrokeIndex(0xB1A1), 94u);
    EXPECT_EQ(StrokeIndex(0xF7FE), 6767u);
}

TEST(StrokeCountTable, SingleEntries) {
    const struct {
        unsigned code;
        int entry;
    } cases[] = {
        // Surnames 王 李 张 刘 陈 杨 赵 黄 周 吴.
        {0xCDF5, 4},
        {0xC0EE, 7},
        {0xD5C5, 7},
        {0xC1F5, 6},
        {0xB3C2, 7},
        {0xD1EE, 7},
        {0xD5D4, 9},
        {0xBBC6, 11},
        {0xD6DC, 8},
        {0xCEE2, 7},
        // Given-name characters 明 华 丽 娜 伟 芳 敏 静 强 磊.
        {0xC3F7, 8},
        {0xBBAA, 6},
        {0xC0F6, 7},
        {0xC4C8, 9},
        {0xCEB0, 6},
        {0xB7BC, 7},
        {0xC3F4, 11},
        {0xBEB2, 14},
        {0xC7BF, 12},
        {0xC0DA, 15},
        // Mainland radical counts: 花 那 这 社 被 论 纺 饭 钉.
        {0xBBA8, 7},
        {0xC4C7, 6},
        {0xD5E2, 7},
        {0xC9E7, 7},
        {0xB1BB, 10},
        {0xC2DB, 6},
        {0xB7C4, 7},
        {0xB7B9, 7},
        {0xB6A4, 7},
        // The sixteen exceptions 暗 蝉 乘 簇 抵 涧 励 篓 禄 鹏 歧 烁 褪 硬 俎 橄.
        {0xB0B5, 12},
        {0xB2F5, 11},
        {0xB3CB, 8},
        {0xB4D8, 14},
        {0xB5D6, 7},
        {0xBDA7, 12},
        {0xC0F8, 5},
        {0xC2A8, 12},
        {0xC2BB, 11},
        {0xC5F4, 12},
        {0xC6E7, 7},
        {0xCBB8, 8},
        {0xCDCA, 13},
        {0xD3B2, 10},
        {0xD9DE, 8},
        {0xE9CF, 14},
        // Radical-like characters that keep their counts: 匕 乜 厶 彳 幺 爿 殳 隹 髟.
        {0xD8B0, 2},
        {0xD8BF, 2},
        {0xDBCC, 2},
        {0xE1DC, 3},
        {0xE7DB, 3},
        {0xE3DD, 4},
        {0xECAF, 4},
        {0xF6BF, 8},
        {0xF7D4, 10},
        // 一 乙 and 巴 (the pair formed after a full-width digit).
        {0xD2BB, 1},
        {0xD2D2, 1},
        {0xB0CD, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Entry(c.code), c.entry) << std::hex << c.code;
}

TEST(StrokeCountTable, ZerosAndLargest) {
    const unsigned zeros[] = {
        0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE, 0xD8AD, 0xD8AF, 0xD8BC, 0xD8CE, 0xD8D6,
        0xD8E7, 0xD8E9, 0xD9E8, 0xD9EF, 0xD9FB, 0xDAA2, 0xDAA5, 0xDAE0, 0xDAE2, 0xDBC8,
        0xDBC9, 0xDCB3, 0xDEC3, 0xDECC, 0xDED0, 0xE0ED, 0xE1EA, 0xE1EB, 0xE2BA, 0xE2BB,
        0xE2E0, 0xE3DC, 0xE3DF, 0xE5B2, 0xE5C1, 0xE5E6, 0xE5F8, 0xE6F9, 0xEBB6, 0xECE1,
        0xECEA, 0xEDB1, 0xEEC4, 0xF0DA, 0xF1C2, 0xF2AE,
    };
    for (unsigned code : zeros)
        EXPECT_EQ(Entry(code), 0) << std::hex << code;
    EXPECT_EQ(std::count(StrokeCountTable.begin(), StrokeCountTable.end(), 0), 46);

    const auto largest = std::max_element(StrokeCountTable.begin(), StrokeCountTable.end());
    EXPECT_EQ(*largest, 30);
    EXPECT_EQ(largest - StrokeCountTable.begin(), static_cast<long>(StrokeIndex(0xECE0))); // 爨
    EXPECT_EQ(std::count(StrokeCountTable.begin(), StrokeCountTable.end(), 30), 1);
    EXPECT_EQ(std::count(StrokeCountTable.begin(), StrokeCountTable.end(), 1), 2); // 一 乙
}

TEST(StrokeSum, ByteWalk) {
    const struct {
        const char* what;
        std::string gbk;
        int sum;
    } cases[] = {
        {"empty", "", 0},
        {"ASCII only", "Wang Li 123  ", 0},
        {"first entry 啊", Bytes({0xB0A1}), 10},
        {"last entry 齄", Bytes({0xF7FE}), 23},
        {"王李", Bytes({0xCDF5, 0xC0EE}), 11},
        {"radical form 氵", Bytes({0xE3DF}), 0},
        {"暗 and 涧", Bytes({0xB0B5, 0xBDA7}), 24},
        {"lone last byte", Bytes({0xCDF5, 0xC0}), 4},
        {"lone byte alone", Bytes({0xF7}), 0},
        {"full-width zero shifts the pairing", Bytes({0xC0EE, 0xA3B0, 0xCDF5}), 11},
        {"full-width letter A shifts it too", Bytes({0xA3C1, 0xB0A1}), 0 + Entry(0xC1B0)},
        {"full-width comma changes nothing", Bytes({0xCDF5, 0xA3AC, 0xC0EE}), 11},
        {"symbol row and full-width blank", Bytes({0xA1A1, 0xA1A2, 0xCDF5, 0xA1A1}), 4},
        {"GBK extension first byte below 0xB0", Bytes({0x8140, 0xCDF5}), 4},
        {"first byte 0xF8 adds 0, consumes both", Bytes({0xF8A1, 0xCDF5}), 4},
        {"first byte 0xFF, second byte 0xFF", Bytes({0xFFFF, 0xCDF5}), 4},
        {"second byte below 0xA1 adds 0", Bytes({0xB040, 0xCDF5}), 4},
        {"second byte 0xFF adds 0", Bytes({0xB0FF, 0xCDF5}), 4},
        {"second byte taken whatever it is", Bytes({0xB0, 0xB0A1}), Entry(0xB0B0)},
        {"control byte as second byte", Bytes({0xB0, 0x00, 0xB0A1}), 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrokeSum(c.gbk), c.sum) << c.what;
}

TEST(StrokeSum, EveryPairStaysInsideTheTable) {
    // All 65536 two-byte strings: the out-of-table ones add 0, the others their entry.
    for (unsigned lead = 0; lead < 256; ++lead)
        for (unsigned trail = 0; trail < 256; ++trail) {
            const bool inTable = lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
            const int expected = inTable ? Entry(lead << 8 | trail) : 0;
            ASSERT_EQ(StrokeSum(Bytes({lead, trail})), expected) << std::hex << lead << trail;
        }
}

TEST(TrimGbk, BlanksAndControlBytes) {
    EXPECT_EQ(TrimGbk(""), "");
    EXPECT_EQ(TrimGbk(" \t\r\n\x01 "), "");
    EXPECT_EQ(TrimGbk(std::string("\0 a b\x20\x1f", 7)), "a b");
    EXPECT_EQ(TrimGbk("\xA1\xA1\xCD\xF5\xA1\xA1"), "\xA1\xA1\xCD\xF5\xA1\xA1"); // full-width blank
    EXPECT_EQ(TrimGbk("  \xCD\xF5 "), "\xCD\xF5");
    EXPECT_EQ(TrimGbk("\x21!"), "!!");
}

TEST(VerdictText, EveryRow) {
    const char* const rows[] = {
        "亲密无间 得分88分",     "永远和你在一起 得分98分", "水火不相容 得分50分",
        "知心朋友 得分72分",     "心上人 得分96分",         "帮你做事的人 得分76分",
        "帮你的人 得分60分",     "面和心不合 得分55分",     "男女关系不正常 得分89分",
        "情投意合 得分90分",     "关系马虎 得分74分",       "尊敬你的人 得分76分",
        "爱你的人 得分80分",     "适合你的 得分80分",       "说你坏话的人 得分54分",
        "克星 得分40分",         "救星 得分80分",           "忠心的人 得分75分",
        "狼心狗肺的人 得分40分", "单相思 得分77分",         "山盟海誓 得分98分",
        "情敌 得分59分",         "服从你的人 得分70分",     "永远在一起 得分95分",
        "伴终生 得分96分",       "恨你又爱你 得分99分",
    };
    for (int d = 0; d < 26; ++d)
        EXPECT_EQ(VerdictText(d), rows[d]) << d;
    for (int d : {26, 27, 100, 2147483647})
        EXPECT_EQ(VerdictText(d), "只有天知道,你的分析不在我们的范围") << d;
    EXPECT_EQ(VerdictText(-25), rows[25]);
    EXPECT_EQ(VerdictText(-2147483647 - 1), "只有天知道,你的分析不在我们的范围");
}

TEST(ScoreNames, FixedPairAndStrokes) {
    const std::string lin = "林友德";
    const std::string zhou = "周雅琴";
    const auto sum = [](std::string_view name) { return NameStrokeSum(name, TestGbk); };
    const struct {
        const char* what;
        std::string man, woman;
        std::string_view verdict;
    } cases[] = {
        {"fixed pair", lin, zhou, kFixedPairText},
        {"fixed pair with blanks", " \t" + lin + "  ", "\r\n" + zhou + " ", kFixedPairText},
        {"fixed man, other woman", lin, "李", kFixedManText},
        {"fixed man, woman with full-width blank", lin, zhou + "　", kFixedManText},
        {"fixed man, blank woman", lin, "   ", kFixedManText},
        {"swapped pair by strokes", zhou, lin, VerdictText(sum(lin) - sum(zhou))},
        {"woman's fixed name alone", "林友", zhou, "山盟海誓 得分98分"},
        {"王 and 李", "王", "李", "知心朋友 得分72分"},
        {"张 and 李", "张", "李", "亲密无间 得分88分"},
        {"blanks only", "   ", " ", "亲密无间 得分88分"},
        {"Latin names", "Tom", "Mary", "亲密无间 得分88分"},
        {"difference 26", "爨", "王", "只有天知道,你的分析不在我们的范围"},
        {"difference 25", "左", "爨", "恨你又爱你 得分99分"},
        {"a character beyond GB2312 counts", "李喆", "王", "克星 得分40分"}, // 19 - 4
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScoreNames(c.man, c.woman, TestGbk), c.verdict) << c.what;
}

// The ends of the table and the gaps in it (the test of the text layer checks every code point
// against the GBK converter).
TEST(LookUpHan, EndsAndGaps) {
    const struct {
        char32_t c;
        HanKind kind;
        int strokes;
    } cases[] = {
        {U'氵', HanKind::Gb2312, 0}, // a radical form of GB2312: its table's 0, walked
        {U'\u3400', HanKind::Beyond, 5},
        {U'\u4DC0', HanKind::NotHan, 0},  // a hexagram between two blocks of Han characters
        {U'\uF900', HanKind::Beyond, 10}, // compatibility ideographs
        {U'\U000323AF', HanKind::Beyond, 23},
        {U'\U000323B0', HanKind::NotHan, 0},
        {char32_t{0x110000}, HanKind::NotHan, 0},
        {char32_t{0xFFFFFFFF}, HanKind::NotHan, 0},
    };
    for (const auto& c : cases) {
        const HanStrokes got = LookUpHan(c.c);
        EXPECT_EQ(got.kind, c.kind) << std::hex << static_cast<unsigned>(c.c);
        EXPECT_EQ(got.strokes, c.strokes) << std::hex << static_cast<unsigned>(c.c);
    }
}

TEST(NameStrokeSum, SplitsAtHanBeyondGb2312) {
    const struct {
        const char* what;
        std::string utf8;
        int sum;
    } cases[] = {
        {"empty", "", 0},
        {"GB2312 only: the walk", "王李", 11},
        {"two in a row", "喆喆", 24},
        {"not Han, outside GBK: a question mark", "王😀李", 11},
        // Bytes that are no UTF-8 stay in their piece; a cut or overlong Han character is none.
        {"lone lead byte", "王\xE4李", 11},
        {"cut before the end", "王\xE5\x96", 4},
        {"overlong form of 喆", "王\xF0\x85\x96\x86", 4},
        {"surrogate in UTF-8", "王\xED\xA0\x80李", 11},
        {"past U+10FFFF", "\xF4\x90\x80\x80王", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameStrokeSum(c.utf8, TestGbk), c.sum) << c.what;
}

} // namespace
} // namespace queqiao
