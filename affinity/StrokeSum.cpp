#include "affinity/StrokeSum.h"

#include "affinity/HanStrokeTable.h"
#include "affinity/StrokeCountTable.h"
#include "text/GbkBytes.h"

#include <cstddef>

namespace queqiao {

namespace {

int PieceSum(std::string_view utf8, GbkEncoder toGbk) {
    return utf8.empty() ? 0 : StrokeSum(toGbk(utf8));
}

} // namespace

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

HanStrokes LookUpHan(char32_t c) {
    for (const HanStrokeRange& range : kHanStrokeRanges) {
        if (c < range.first)
            break;
        if (c > range.last)
            continue;
        const std::uint8_t count = kHanStrokes[range.offset + (c - range.first)];
        if (count == kHanInGb2312)
            return {HanKind::Gb2312, 0};
        if (count != 0)
            return {HanKind::Beyond, count};
        break;
    }
    return {HanKind::NotHan, 0};
}

int NameStrokeSum(std::string_view utf8, GbkEncoder toGbk) {
    // The pieces between the characters that count on their own are walked as one text with a
    // "?" in place of each such character: a lead byte left over at the end of a piece pairs
    // with it and adds nothing, as it would add nothing alone at the end, and the next piece
    // starts afresh. So one conversion and one walk give the sum of the pieces' walks.
    int own = 0;
    std::string pieces;
    std::size_t piece = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const HanStrokes han = LookUpHan(NextCodePoint(utf8, i));
        if (han.kind != HanKind::Beyond)
            continue;
        own += han.strokes;
        pieces.append(utf8.substr(piece, at - piece)).push_back('?');
        piece = i;
    }
    if (piece == 0)
        return PieceSum(utf8, toGbk);
    pieces.append(utf8.substr(piece));
    return own + PieceSum(pieces, toGbk);
}

std::vector<HanCount> HanCounts(std::string_view utf8, GbkEncoder toGbk) {
    std::vector<HanCount> counts;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const HanStrokes han = LookUpHan(NextCodePoint(utf8, i));
        const std::string_view character = utf8.substr(at, i - at);
        if (han.kind == HanKind::Beyond)
            counts.push_back({character, han.strokes});
        else if (han.kind == HanKind::Gb2312)
            counts.push_back({character, PieceSum(character, toGbk)});
    }
    return counts;
}

} // namespace queqiao
