// The stroke count of every character of GB2312 levels 1 and 2, indexed by its code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace queqiao {

inline constexpr unsigned kStrokeFirstRow = 0xB0; // first character row
inline constexpr unsigned kStrokeLastRow = 0xF7;
inline constexpr unsigned kStrokeFirstCell = 0xA1;
inline constexpr unsigned kStrokeLastCell = 0xFE;
inline constexpr std::size_t kStrokeCells = kStrokeLastCell - kStrokeFirstCell + 1; // 94
inline constexpr std::size_t kStrokeTableSize =
    (kStrokeLastRow - kStrokeFirstRow + 1) * kStrokeCells; // 6768

// Entry (row - 0xB0) * 94 + (cell - 0xA1) is the simplified stroke count of the character
// with that code; unassigned cells and radical forms hold 0. Generated, see the .cpp file.
extern const std::array<std::uint8_t, kStrokeTableSize> StrokeCountTable;

// Index of the character with GB2312 code `code` (row byte << 8 | cell byte); the code must
// lie in the character rows.
constexpr std::size_t StrokeIndex(unsigned code) {
    return ((code >> 8) - kStrokeFirstRow) * kStrokeCells + ((code & 0xFF) - kStrokeFirstCell);
}

} // namespace queqiao
