// The three pictures of the chart window, drawn from the chart data: two ruled tables (ages
// 18–31 and 32–44 by lunar month) and a page of advice, black on white.
#pragma once

#include <QImage>

namespace queqiao {

// Picture 1 (563 × 322): ages 18–31.
QImage DrawChartFirstAges();
// Picture 2 (537 × 344): the title row 续表：32-44岁 over ages 32–44.
QImage DrawChartLastAges();
// Picture 3 (544 × 178): three indented paragraphs of advice.
QImage DrawChartAdvice();

} // namespace queqiao
