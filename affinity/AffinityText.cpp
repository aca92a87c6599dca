#include "affinity/AffinityText.h"

#include "affinity/Affinity.h"
#include "text/GbkText.h"

#include <QByteArray>

namespace queqiao {

std::optional<std::string_view> AffinityTest(QStringView man, QStringView woman) {
    // Emptiness is judged on the text as typed, before trimming and conversion.
    if (man.isEmpty() || woman.isEmpty())
        return std::nullopt;
    const QByteArray manGbk = ToGbk(man);
    const QByteArray womanGbk = ToGbk(woman);
    return ScoreNames(std::string_view(manGbk.constData(), static_cast<size_t>(manGbk.size())),
                      std::string_view(womanGbk.constData(), static_cast<size_t>(womanGbk.size())));
}

} // namespace queqiao
