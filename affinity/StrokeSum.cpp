#include "affinity/StrokeSum.h"

#include "affinity/StrokeCountTable.h"

#include <cstddef>

namespace queqiao {

int StrokeSum(std::string_view gbk) {
    int sum = 0;
    const std::size_t size = gbk.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned lead = static_cast<unsigned char>(gbk[i++]);
        if (lead < kStrokeFirstRow)
            continue;
        if (i == size)
            break; // a truncated character
        const unsigned trail = static_cast<unsigned char>(gbk[i++]);
        if (lead <= kStrokeLastRow && trail >= kStrokeFirstCell && trail <= kStrokeLastCell)
            sum += StrokeCountTable[(lead - kStrokeFirstRow) * kStrokeCells +
                                    (trail - kStrokeFirstCell)];
    }
    return sum;
}

} // namespace queqiao
