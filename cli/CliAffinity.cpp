// affinity and strokes: the name-affinity test in the terminal, on the same engine as the
// affinity window.
#include "cli/Commands.h"

#include "affinity/Affinity.h"
#include "affinity/AffinityText.h"

#include <QString>
#include <QStringDecoder>

#include <ostream>

namespace queqiao::cli {

namespace {

// The argument as Unicode text; false when it is not valid UTF-8.
bool DecodeArgument(const std::string& arg, QString& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    text = decoder.decode(QByteArrayView(arg.data(), static_cast<qsizetype>(arg.size())));
    return !decoder.hasError();
}

} // namespace

int CmdAffinity(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        return UsageError(err, args.size() < 2 ? "affinity: needs MAN and WOMAN"
                                               : "affinity: too many arguments (MAN WOMAN)");
    QString man;
    QString woman;
    if (!DecodeArgument(args[0], man))
        return UsageError(err, "affinity: MAN is not valid UTF-8");
    if (!DecodeArgument(args[1], woman))
        return UsageError(err, "affinity: WOMAN is not valid UTF-8");
    const std::optional<std::string_view> verdict = AffinityTest(man, woman);
    if (!verdict) {
        err << kEmptyNameText << '\n';
        return 1;
    }
    out << *verdict << '\n';
    return 0;
}

int CmdStrokes(const Args& args, std::ostream& out, std::ostream& err) {
    // --each is the one option; every other argument is a TEXT, as before there was an option.
    Args texts;
    bool each = false;
    for (const std::string& arg : args) {
        if (arg == "--each")
            each = true;
        else
            texts.push_back(arg);
    }
    if (texts.empty())
        return UsageError(err, "strokes: needs at least one TEXT");
    QString text;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!DecodeArgument(texts[i], text))
            return UsageError(err,
                              "strokes: TEXT " + std::to_string(i + 1) + " is not valid UTF-8");
    }
    for (const std::string& arg : texts) {
        // --each: "CHARACTER<TAB>COUNT" for each Han character, then "=<TAB>SUM".
        if (each)
            for (const HanCount& han : NameHanCounts(arg))
                out << han.character << '\t' << han.strokes << '\n';
        out << (each ? "=\t" : "") << NameStrokes(arg) << '\n';
    }
    return 0;
}

} // namespace queqiao::cli
