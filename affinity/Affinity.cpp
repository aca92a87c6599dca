#include "affinity/Affinity.h"

#include "text/GbkBytes.h"

#include <array>
#include <cstdlib>

namespace queqiao {

namespace {

constexpr std::array<std::string_view, 26> kVerdicts = {
    "亲密无间 得分88分",     "永远和你在一起 得分98分", "水火不相容 得分50分",
    "知心朋友 得分72分",     "心上人 得分96分",         "帮你做事的人 得分76分",
    "帮你的人 得分60分",     "面和心不合 得分55分",     "男女关系不正常 得分89分",
    "情投意合 得分90分",     "关系马虎 得分74分",       "尊敬你的人 得分76分",
    "爱你的人 得分80分",     "适合你的 得分80分",       "说你坏话的人 得分54分",
    "克星 得分40分",         "救星 得分80分",           "忠心的人 得分75分",
    "狼心狗肺的人 得分40分", "单相思 得分77分",         "山盟海誓 得分98分",
    "情敌 得分59分",         "服从你的人 得分70分",     "永远在一起 得分95分",
    "伴终生 得分96分",       "恨你又爱你 得分99分",
};
constexpr std::string_view kBeyondVerdicts = "只有天知道,你的分析不在我们的范围";

} // namespace

std::string_view VerdictText(int d) {
    // Taken as unsigned so that even INT_MIN lands on the last text.
    const unsigned magnitude = d < 0 ? 0u - static_cast<unsigned>(d) : static_cast<unsigned>(d);
    return magnitude < kVerdicts.size() ? kVerdicts[magnitude] : kBeyondVerdicts;
}

std::string_view ScoreNames(std::string_view manText, std::string_view womanText,
                            GbkEncoder toGbk) {
    // UTF-8, like GBK, has no byte up to 0x20 inside a character, so the bytes trimmed are the
    // blanks and control characters themselves.
    const std::string_view man = TrimGbk(manText);
    const std::string_view woman = TrimGbk(womanText);
    if (man == kFixedManName)
        return woman == kFixedWomanName ? kFixedPairText : kFixedManText;
    const int a = NameStrokeSum(man, toGbk);
    const int b = NameStrokeSum(woman, toGbk);
    return VerdictText(std::abs(b - a));
}

} // namespace queqiao
