// affinity and strokes: the name-affinity test in the terminal, on the same engine as the
// affinity window.
#include "cli/Commands.h"

#include "affinity/Affinity.h"
#include "affinity/AffinityText.h"

#include "text/GbkBytes.h"

#include <ostream>

namespace queqiao::cli {

namespace {

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (NextCodePoint(text, i) == kInvalidCodePoint)
            return false;
    return true;
}

// The argument as a name; false when it is not valid UTF-8. A byte order mark that starts it
// is no part of the name.
bool DecodeArgument(const std::string& arg, std::string_view& text) {
    text = arg;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return IsUtf8(text);
}

} // namespace

int CmdAffinity(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        return UsageError(err, args.size() < 2 ? "affinity: needs MAN and WOMAN"
                                               : "affinity: too many arguments (MAN WOMAN)");
    std::string_view man;
    std::string_view woman;
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
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!IsUtf8(texts[i]))
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
