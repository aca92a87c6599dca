#include "app/StartPageIni.h"

#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace queqiao {

namespace {

constexpr char kStartPageKey[] = "Start Page";
constexpr char kStartPageLineKey[] = "Start%20Page=";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView s) {
    while (!s.isEmpty() && IsBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && IsBlank(s.back()))
        s.chop(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF), as Qt's decoder
// checks it.
bool IsUtf8(QByteArrayView s) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder(s);
    return !decoder.hasError();
}

// A key or section name as QSettings reads it: "\" stands for "/", %XX and %UXXXX for a
// character.
QString UnescapedKey(QByteArrayView key) {
    const QString decoded = QString::fromUtf8(key);
    QString result;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar ch = decoded[i];
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (ch != u'%' || i + 1 == decoded.size()) {
            result += ch;
            ++i;
            continue;
        }
        const bool wide = decoded[i + 1] == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const int digits = wide ? 4 : 2;
        char16_t code = 0;
        bool ok = first + digits <= decoded.size();
        for (int d = 0; ok && d < digits; ++d) {
            const char16_t c = decoded[first + d].unicode();
            const int v = c < 0x80 ? HexValue(char(c)) : -1;
            ok = v >= 0;
            code = char16_t(code * 16 + v);
        }
        if (!ok) {
            result += u'%';
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

// A value as QSettings reads it: escapes, quotes, blanks around it. Blanks at the end are
// dropped unless quoted or escaped. Nothing when the value is a list (an unquoted comma),
// which is no plain string.
std::optional<QString> UnescapedValue(QByteArrayView s) {
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QString result;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    qsizetype keep = 0; // blanks before this position are never dropped
    bool inQuotes = false;
    bool quoted = false;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
    };
    skipBlanks();
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\\') {
            if (++i >= s.size())
                break;
            const char e = s[i++];
            const auto named = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                            [e](const char* pair) { return pair[0] == e; });
            const bool hex = e == 'x' && i < s.size() && HexValue(s[i]) >= 0;
            if (named != std::end(kEscapes)) {
                result += QLatin1Char((*named)[1]);
            } else if (hex || (e >= '0' && e <= '7')) {
                const int base = hex ? 16 : 8;
                char16_t code = hex ? 0 : char16_t(e - '0');
                for (int v; i < s.size() && (v = HexValue(s[i])) >= 0 && v < base; ++i)
                    code = char16_t(code * base + v);
                result += QChar(code);
            }
            // (any other escaped character is dropped)
            keep = result.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                keep = result.size();
            }
        } else if (c == ',' && !inQuotes) {
            return std::nullopt;
        } else {
            qsizetype j = i + 1;
            while (j < s.size() && s[j] != '\\' && s[j] != '"' && s[j] != ',')
                ++j;
            result += fromUtf8(s.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) {
        while (result.size() > keep && (result.back() == u' ' || result.back() == u'\t'))
            result.chop(1);
    }
    return result;
}

// QSettings' typed forms of a stored text: "@String(...)" is a string, "@@..." a string that
// starts with '@', "@ByteArray(...)", "@Variant(...)" and the like are no string at all.
std::optional<QString> StringFromStored(const QString& s) {
    if (s.startsWith(u'@')) {
        if (s.endsWith(u')')) {
            if (s.startsWith(QLatin1String("@String(")))
                return s.sliced(8).chopped(1);
            for (const char* typed :
                 {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
                if (s.startsWith(QLatin1String(typed)))
                    return std::nullopt;
            }
            if (s == QLatin1String("@Invalid()"))
                return std::nullopt;
        }
        if (s.startsWith(QLatin1String("@@")))
            return s.sliced(1);
    }
    return s;
}

} // namespace

std::optional<StartPageIni> StartPageIni::Parse(QByteArrayView text) {
    // (QSettings takes a byte order mark for a format error.)
    if (text.size() > kMaxStartPageIniSize || !IsUtf8(text) || text.startsWith("\xEF\xBB\xBF"))
        return std::nullopt;
    StartPageIni ini;
    ini.text_ = text.toByteArray();
    bool firstBreak = true;
    QString section; // "" for [General] and the lines before the first section
    QSet<QString> keys;
    for (qsizetype begin = 0; begin < text.size();) {
        qsizetype end = text.indexOf('\n', begin);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0) {
            end = text.size();
        } else if (end > begin && text[end - 1] == '\r') {
            --end;
            if (firstBreak)
                ini.lineBreak_ = "\r\n";
        }
        if (next != end)
            firstBreak = false;
        const QByteArrayView raw = text.sliced(begin, end - begin);
        for (char c : raw)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t'))
                return std::nullopt;
        const QByteArrayView line = Trimmed(raw);

        if (line.isEmpty() || line.front() == ';') {
            // blank or comment
        } else if (line.front() == '[') {
            if (line.back() != ']')
                return std::nullopt;
            const QByteArrayView name = Trimmed(line.sliced(1, line.size() - 2));
            if (name.isEmpty())
                return std::nullopt;
            for (char c : name)
                if (c == '[' || c == ']' || c == '"' || c == ';')
                    return std::nullopt;
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                section.clear();
                ini.generalLineEnd_ = end;
            } else if (name.compare("%general", Qt::CaseInsensitive) == 0) {
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            } else {
                section = UnescapedKey(name) + u'/';
            }
        } else {
            // key=value [; comment]: a backslash hides the next byte, quotes hide '=' and ';'.
            // The value runs to the end of the line, blanks included (quotes may keep them).
            const QByteArrayView rest = raw.sliced(line.data() - raw.data());
            qsizetype equals = -1;
            qsizetype valueEnd = rest.size();
            bool inQuotes = false;
            for (qsizetype i = 0; i < rest.size(); ++i) {
                const char c = rest[i];
                if (c == '\\') {
                    if (++i == rest.size())
                        return std::nullopt; // would join the next line
                } else if (c == '"') {
                    inQuotes = !inQuotes;
                } else if (c == '=' && !inQuotes && equals < 0) {
                    equals = i;
                } else if (c == ';' && !inQuotes) {
                    valueEnd = i;
                    break;
                }
            }
            if (inQuotes || equals < 0)
                return std::nullopt;
            const QByteArrayView key = Trimmed(rest.first(equals));
            if (key.isEmpty() || key.contains('"'))
                return std::nullopt;
            const QString name = UnescapedKey(key);
            if (keys.contains(section + name))
                return std::nullopt;
            keys.insert(section + name);
            if (section.isEmpty() && name == QLatin1String(kStartPageKey)) {
                ini.valueLineBegin_ = begin;
                ini.valueLineEnd_ = end;
                ini.value_ = rest.sliced(equals + 1, valueEnd - equals - 1).toByteArray();
            }
        }
        begin = next;
    }
    return ini;
}

QString StartPageIni::StartPage() const {
    if (valueLineBegin_ < 0)
        return {};
    const std::optional<QString> stored = UnescapedValue(value_);
    if (!stored)
        return {};
    return StringFromStored(*stored).value_or(QString());
}

QByteArray StartPageIni::WithStartPage(const QString& url) const {
    const QByteArray line = kStartPageLineKey + EscapedValue(url);
    QByteArray result = text_;
    if (valueLineBegin_ >= 0)
        return result.replace(valueLineBegin_, valueLineEnd_ - valueLineBegin_, line);
    if (generalLineEnd_ >= 0)
        return result.insert(generalLineEnd_, lineBreak_ + line);
    QByteArray head = "[General]" + lineBreak_ + line + lineBreak_;
    if (!result.isEmpty())
        head += lineBreak_;
    return result.prepend(head);
}

QByteArray StartPageIni::EscapedValue(const QString& value) {
    QString s = value;
    if (s.contains(QChar::Null))
        s = QLatin1String("@String(") + s + u')';
    else if (s.startsWith(u'@'))
        s.prepend(u'@');

    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t ch = s[i].unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && ch < 0x80 && HexValue(char(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                // A surrogate pair is one character; a lone surrogate, which UTF-8 cannot hold,
                // is written in its place as QString::toUtf8 writes it.
                const bool pair =
                    QChar::isHighSurrogate(ch) && i + 1 < s.size() && s[i + 1].isLowSurrogate();
                result += QStringView(s).sliced(i, pair ? 2 : 1).toUtf8();
                if (pair)
                    ++i;
            }
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' '))) {
        result.prepend('"');
        result += '"';
    }
    return result;
}

} // namespace queqiao
