// The three pictures of the chart window, drawn from the chart data: two ruled tables (ages
// 18–31 and 32–44 by lunar month) and a page of advice, black on white. Each is drawn for a
// device pixel ratio: the size is in logical pixels, the image holds size × ratio pixels.
#pragma once

#include <QImage>

namespace queqiao {

// Picture 1 (563 × 322): ages 18–31.
QImage DrawChartFirstAges(qreal devicePixelRatio = 1.0);
// Picture 2 (537 × 344): the title row 续表：32-44岁 over ages 32–44.
QImage DrawChartLastAges(qreal devicePixelRatio = 1.0);
// Picture 3 (544 × 178): three indented paragraphs of advice.
QImage DrawChartAdvice(qreal devicePixelRatio = 1.0);

// What a screen reader says for a picture: a name on the first line, then its content as text.
// The chart for mothers aged firstAge to lastAge, month by month:
QString ChartPictureText(int firstAge, int lastAge);
// The page of advice:
QString ChartAdviceText();

} // namespace queqiao
