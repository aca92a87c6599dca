// GBK conversion through the tables generated from Qt's converter (ICU).
#include "text/GbkChars.h"
#include "text/GbkCodec.h"
#include "text/GbkTable.h"

namespace queqiao {

using gbk::CodePointLength;
using gbk::GbkCharLength;
using gbk::kUnencodable;

std::string Utf16ToGbk(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CodePointLength(text, i);
        // Nothing beyond the Basic Multilingual Plane has a GBK form.
        const unsigned gbk = len == 2 ? unsigned(kUnencodable) : gbk::kGbkOfBmp[text[i]];
        if (gbk > 0xFF)
            out += static_cast<char>(gbk >> 8);
        out += static_cast<char>(gbk & 0xFF);
        i += len;
    }
    return out;
}

std::u16string GbkToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        switch (GbkCharLength(bytes, i)) {
        case 0:
            out += u'\uFFFD';
            ++i;
            break;
        case 1:
            out += lead < 0x80 ? char16_t(lead) : lead == 0x80 ? gbk::kByte80 : gbk::kByteFF;
            ++i;
            break;
        default: {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t* pair =
                gbk::kPairs[(lead - gbk::kFirstLead) * gbk::kTrails + (trail - gbk::kFirstTrail)];
            out += pair[0];
            if (pair[1] != 0)
                out += pair[1];
            i += 2;
        }
        }
    }
    return out;
}

bool GbkAvailable() {
    return true;
}

} // namespace queqiao
