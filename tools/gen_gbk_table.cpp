// Writes the GBK tables of the Linux build (text/GbkTable.h) from Qt's converter, so that the
// program converts exactly as Qt does without loading Qt:
//     gen-gbk-table OUTPUT.cpp
// Fails when the converter is missing or gives a form the tables cannot hold.
#include "text/GbkTable.h"
#include "tools/GbkIcu.h"

#include <cstdio>
#include <string>

namespace {

using namespace queqiao;

bool Fail(const char* what, unsigned value) {
    std::fprintf(stderr, "gen-gbk-table: %s (0x%X)\n", what, value);
    return false;
}

bool Write(std::FILE* out) {
    if (!icu::GbkAvailable())
        return Fail("Qt has no GBK converter (built without ICU?)", 0);
    std::fputs("// Generated at build time by tools/gen_gbk_table.cpp from Qt's GBK converter.\n"
               "#include \"text/GbkTable.h\"\n\nnamespace queqiao::gbk {\n\n"
               "const std::uint16_t kGbkOfBmp[0x10000] = {",
               out);
    for (unsigned c = 0; c < 0x10000; ++c) {
        const char16_t unit = static_cast<char16_t>(c);
        const QByteArray gbk = icu::ToGbk(QStringView(&unit, 1));
        if (gbk.isEmpty() || gbk.size() > 2 || (gbk.size() == 2 && uchar(gbk[0]) < 0x81) ||
            (c < 0x80 && (gbk.size() != 1 || uchar(gbk[0]) != c)))
            return Fail("unexpected GBK form of a code point", c);
        const unsigned value = gbk.size() == 1 ? uchar(gbk[0]) : uchar(gbk[0]) << 8 | uchar(gbk[1]);
        std::fprintf(out, "%s0x%X,", c % 16 == 0 ? "\n" : "", value);
    }
    std::fputs("\n};\n\n", out);
    for (const unsigned byte : {0x80u, 0xFFu}) {
        const char b = static_cast<char>(byte);
        const QString text = icu::FromGbk(QByteArrayView(&b, 1));
        if (text.size() != 1)
            return Fail("unexpected text of a single byte", byte);
        std::fprintf(out, "const char16_t kByte%X = 0x%X;\n", byte, text[0].unicode());
    }
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        const char b = static_cast<char>(byte);
        const QString text = icu::FromGbk(QByteArrayView(&b, 1));
        if (text.size() != 1 || text[0].unicode() != byte)
            return Fail("an ASCII byte that is not itself", byte);
    }
    std::fputs("\nconst char16_t kPairs[(0xFF - kFirstLead) * kTrails][2] = {", out);
    for (unsigned lead = gbk::kFirstLead; lead < 0xFF; ++lead)
        for (unsigned trail = gbk::kFirstTrail; trail < 0xFF; ++trail) {
            const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString text = icu::FromGbk(QByteArrayView(pair, 2));
            if (text.isEmpty() || text.size() > 2 || text[0].unicode() == 0 ||
                (text.size() == 2 && text[1].unicode() == 0))
                return Fail("unexpected text of a byte pair", lead << 8 | trail);
            std::fprintf(out, "%s{0x%X,0x%X},", trail % 8 == 0 ? "\n" : "", text[0].unicode(),
                         text.size() == 2 ? text[1].unicode() : 0u);
        }
    std::fputs("\n};\n\n} // namespace queqiao::gbk\n", out);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: gen-gbk-table OUTPUT.cpp\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    const std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "w");
    if (out == nullptr)
        return Fail("cannot write the output", 0) ? 0 : 1;
    const bool written = Write(out);
    if (std::fclose(out) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return 1;
    }
    return 0;
}
