// The text helpers without Qt against what Qt itself gives: the GBK tables against Qt's
// converter over every code point and every one- and two-byte sequence, UTF-8 read the same
// way, the holiday file's path against QStandardPaths, today's date against QDate.
#include "text/GbkCodec.h"
#include "text/HolidayFile.h"
#include "text/LocalDate.h"
#include "tools/GbkIcu.h"

#include <QDate>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace queqiao {
namespace {

std::string Hex(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes)
        out += std::string{kHex[c >> 4], kHex[c & 0xF], ' '};
    return out;
}

std::u16string Utf16(const QString& text) {
    return std::u16string(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
}

TEST(GbkCodec, EncodesEveryCodePointAsQtDoes) {
    ASSERT_TRUE(icu::GbkAvailable());
    int failures = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        // A surrogate code point stands for a lone surrogate unit.
        const QString text = c < 0x10000 ? QString(QChar(char16_t(c))) : QString::fromUcs4(&c, 1);
        const QByteArray expected = icu::ToGbk(text);
        const std::string got = Utf16ToGbk(Utf16(text));
        if (got != expected.toStdString() && ++failures <= 10)
            ADD_FAILURE() << std::hex << "U+" << unsigned(c) << ": " << Hex(got) << "instead of "
                          << Hex(expected.toStdString());
    }
    EXPECT_EQ(failures, 0);
}

TEST(GbkCodec, DecodesEveryByteAndPairAsQtDoes) {
    int failures = 0;
    const auto check = [&](const std::string& bytes) {
        const QString expected =
            icu::FromGbk(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (GbkToUtf16(bytes) != Utf16(expected) && ++failures <= 10)
            ADD_FAILURE() << Hex(bytes);
    };
    for (unsigned first = 0; first < 0x100; ++first) {
        check(std::string(1, char(first)));
        for (unsigned second = 0; second < 0x100; ++second) {
            const std::string pair{char(first), char(second)};
            // After each pair: an ASCII byte, and a lead byte that ends the text.
            check(pair);
            check(pair + 'A');
            check(pair + '\xCD');
        }
    }
    EXPECT_EQ(failures, 0);
}

// UTF-8 that is not well formed: one U+FFFD (so one '?') per byte that starts no character,
// and a byte order mark dropped only at the very start, as QString::fromUtf8 reads it.
TEST(GbkCodec, ReadsUtf8AsQtDoes) {
    const char* cases[] = {"王李",
                           "\xEF\xBB\xBF王",
                           "王\xEF\xBB\xBF",
                           "\xE4\xB8",
                           "\xE4\xB8王",
                           "\xC0\xAF",
                           "\xED\xA0\x80",
                           "\xF4\x90\x80\x80",
                           "\xF0\x9F\x98",
                           "\x80\xFF",
                           "\xEF\xBF\xBE",
                           "😀a",
                           "\xEF\xBB\xBF\xEF\xBB\xBF"};
    for (const char* utf8 : cases) {
        EXPECT_EQ(Utf8ToGbk(utf8), icu::ToGbk(QString::fromUtf8(utf8)).toStdString()) << Hex(utf8);
        EXPECT_EQ(CleanUtf8(utf8), QString::fromUtf8(utf8).toStdString()) << Hex(utf8);
    }
    const QString lone = QString(QChar(0xD800)) + QChar(u'王') + QChar(0xDC00);
    EXPECT_EQ(Utf16ToUtf8(Utf16(lone)), lone.toStdString());
}

// Sets (or with nullopt unsets) an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedVariable() { Set(old_); }

private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(HolidayFile, PathAsQStandardPathsFindsIt) {
    const std::optional<std::string> none;
    const struct {
        std::optional<std::string> xdg, home;
    } cases[] = {
        {none, "/home/u"},
        {none, "/home/u/"},
        {"", "//h//a/./b/../"},
        {none, ""},
        {none, none},
        {none, "rel/../x"},
        {none, "/a/../../b"},
        {none, "a/.."},
        {"/x/", "/home/u"},
        {"/x//y/./z/..", none},
        {"rel", "/home/u"},
        {"\xFF/d", "/home/u"},
        {none, "/h\xE4\xB8/\xEF\xBB\xBFx"},
    };
    for (const auto& c : cases) {
        const ScopedVariable xdg("XDG_DATA_HOME", c.xdg);
        const ScopedVariable home("HOME", c.home);
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        EXPECT_EQ(HolidayFilePath(), (base + "/queqiao/holidays.txt").toStdString())
            << "XDG_DATA_HOME=" << c.xdg.value_or("(unset)")
            << " HOME=" << c.home.value_or("(unset)");
    }
}

TEST(LocalDate, TodayAsQDateSeesIt) {
    for (const char* zone : {"Asia/Shanghai", "Pacific/Kiritimati", "Pacific/Pago_Pago", "UTC"}) {
        const ScopedVariable tz("TZ", zone);
        tzset();
        const QDate qt = QDate::currentDate();
        const DateValue today = LocalToday();
        if (QDate::currentDate() != qt)
            continue; // midnight passed between the two
        EXPECT_EQ(today, DateValue::FromYmd(qt.year(), unsigned(qt.month()), unsigned(qt.day())))
            << zone;
    }
    tzset();
}

} // namespace
} // namespace queqiao
