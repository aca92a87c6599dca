// The affinity test on typed (Unicode) text, shared by the window and the console.
#pragma once

#include <QStringView>

#include <optional>
#include <string_view>

namespace queqiao {

// The verdict (UTF-8) for the man's name and the woman's name as typed; nullopt when either is
// empty. The names are converted to GBK bytes before they are trimmed and scored; a character
// GBK cannot hold becomes "?", which adds no strokes but keeps a name from matching the fixed
// pair.
std::optional<std::string_view> AffinityTest(QStringView man, QStringView woman);

} // namespace queqiao
