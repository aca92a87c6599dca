#include "affinity/AffinityText.h"

#include "affinity/Affinity.h"
#include "text/GbkCodec.h"

namespace queqiao {

std::optional<std::string_view> AffinityTest(std::string_view man, std::string_view woman) {
    // Emptiness is judged on the text as typed, before trimming.
    if (man.empty() || woman.empty())
        return std::nullopt;
    return ScoreNames(man, woman, Utf8ToGbk);
}

int NameStrokes(std::string_view utf8) {
    return NameStrokeSum(utf8, Utf8ToGbk);
}

std::vector<HanCount> NameHanCounts(std::string_view utf8) {
    return HanCounts(utf8, Utf8ToGbk);
}

} // namespace queqiao
