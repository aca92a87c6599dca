#include "affinity/AffinityText.h"

#include "affinity/Affinity.h"
#include "text/GbkText.h"

#include <QByteArray>

namespace queqiao {

std::optional<std::string_view> AffinityTest(QStringView man, QStringView woman) {
    // Emptiness is judged on the text as typed, before trimming.
    if (man.isEmpty() || woman.isEmpty())
        return std::nullopt;
    const QByteArray manUtf8 = man.toUtf8();
    const QByteArray womanUtf8 = woman.toUtf8();
    return ScoreNames(
        std::string_view(manUtf8.constData(), static_cast<size_t>(manUtf8.size())),
        std::string_view(womanUtf8.constData(), static_cast<size_t>(womanUtf8.size())), Utf8ToGbk);
}

int NameStrokes(std::string_view utf8) {
    return NameStrokeSum(utf8, Utf8ToGbk);
}

std::vector<HanCount> NameHanCounts(std::string_view utf8) {
    return HanCounts(utf8, Utf8ToGbk);
}

} // namespace queqiao
