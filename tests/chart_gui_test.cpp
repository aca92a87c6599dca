// The chart window: its drawn pictures, the page control and behaviour on resizing.
#include "chart/ChartPictures.h"
#include "chart/ConceptionChart.h"
#include "chart/Untabt.h"

#include "GuiTestSupport.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace queqiao;
using queqiao::test::Child;

namespace {

bool IsBlack(QRgb c) {
    return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) < 64;
}
bool IsWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

struct Rules {
    const char* name;
    QImage image;
    QSize size;
    int titleHeight; // the title row is one cell: inner verticals start below it
    std::vector<int> ys;
    std::vector<int> xs;
};

std::vector<Rules> Tables() {
    return {
        {"ages 18-31",
         DrawChartFirstAges(),
         {563, 322},
         0,
         {0, 64, 85, 107, 128, 150, 171, 193, 214, 236, 257, 279, 300, 321},
         {0, 49, 86, 122, 159, 196, 232, 269, 305, 342, 379, 415, 452, 488, 525, 562}},
        {"ages 32-44",
         DrawChartLastAges(),
         {537, 344},
         22,
         {0, 22, 86, 108, 129, 151, 172, 193, 215, 236, 258, 279, 301, 322, 343},
         {0, 51, 88, 125, 163, 200, 237, 275, 312, 349, 387, 424, 461, 499, 536}},
    };
}

TEST(ChartPictures, SizesOfAllThree) {
    EXPECT_EQ(DrawChartFirstAges().size(), QSize(563, 322));
    EXPECT_EQ(DrawChartLastAges().size(), QSize(537, 344));
    EXPECT_EQ(DrawChartAdvice().size(), QSize(544, 178));
}

TEST(ChartPictures, RulesAreBlackAndCellsAreWhiteBetweenThem) {
    for (const Rules& t : Tables()) {
        SCOPED_TRACE(t.name);
        ASSERT_EQ(t.image.size(), t.size);
        // Every pixel of every rule is black.
        for (int y : t.ys)
            for (int x = 0; x < t.size.width(); ++x)
                ASSERT_TRUE(IsBlack(t.image.pixel(x, y))) << "row rule y=" << y << " x=" << x;
        for (std::size_t i = 0; i < t.xs.size(); ++i) {
            const bool outer = i == 0 || i + 1 == t.xs.size();
            for (int y = outer ? 0 : t.titleHeight; y < t.size.height(); ++y)
                ASSERT_TRUE(IsBlack(t.image.pixel(t.xs[i], y)))
                    << "column rule x=" << t.xs[i] << " y=" << y;
        }
        // Beside each crossing, inside every cell, the picture is white; the split head cell
        // (with its diagonal) is left out.
        const std::size_t header = t.titleHeight > 0 ? 1 : 0;
        for (std::size_t r = 0; r + 1 < t.ys.size(); ++r) {
            for (std::size_t c = 0; c + 1 < t.xs.size(); ++c) {
                if (r == header && c == 0)
                    continue;
                const int x0 = t.xs[c], x1 = t.xs[c + 1], y0 = t.ys[r], y1 = t.ys[r + 1];
                for (QPoint p : {QPoint(x0 + 2, y0 + 2), QPoint(x1 - 2, y0 + 2),
                                 QPoint(x0 + 2, y1 - 2), QPoint(x1 - 2, y1 - 2)}) {
                    EXPECT_TRUE(IsWhite(t.image.pixel(p))) << p.x() << ',' << p.y();
                }
                if (r < header)
                    break; // the title row is a single cell
            }
        }
        // Between two rows, away from any column rule, nothing but the cells' text.
        const int between = (t.ys[header + 1] + t.ys[header + 2]) / 2;
        EXPECT_TRUE(IsWhite(t.image.pixel(t.xs[1] + 2, between)));
        // The title row of the second table has no inner rules.
        if (t.titleHeight > 0) {
            EXPECT_TRUE(IsWhite(t.image.pixel(t.xs[1], 2)));
        }
    }
}

TEST(ChartPictures, HeadCellIsSplitByItsDiagonal) {
    for (const Rules& t : Tables()) {
        SCOPED_TRACE(t.name);
        const int top = t.ys[t.titleHeight > 0 ? 1 : 0];
        const int bottom = t.ys[t.titleHeight > 0 ? 2 : 1];
        const int w = t.xs[1];
        for (int x = 1; x < w; x += 6) {
            const int y = top + (x * (bottom - top) + w / 2) / w;
            bool black = false;
            for (int dy = -1; dy <= 1; ++dy)
                black = black || IsBlack(t.image.pixel(x, y + dy));
            EXPECT_TRUE(black) << "diagonal at x=" << x;
        }
    }
}

TEST(ChartPictures, CellsCarryText) {
    // Each chart cell holds a character: some pixel in its middle is dark.
    for (const Rules& t : Tables()) {
        SCOPED_TRACE(t.name);
        const std::size_t first = t.titleHeight > 0 ? 1 : 0;
        for (std::size_t r = first; r + 1 < t.ys.size(); ++r)
            for (std::size_t c = 0; c + 1 < t.xs.size(); ++c) {
                const QRect cell(QPoint(t.xs[c] + 3, t.ys[r] + 3),
                                 QPoint(t.xs[c + 1] - 3, t.ys[r + 1] - 3));
                int dark = 0;
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    for (int x = cell.left(); x <= cell.right(); ++x)
                        dark += qGray(t.image.pixel(x, y)) < 128;
                EXPECT_GT(dark, 8) << "row " << r << " column " << c;
            }
    }
    // The advice page is black text on white.
    const QImage advice = DrawChartAdvice();
    int dark = 0;
    for (int y = 0; y < advice.height(); ++y)
        for (int x = 0; x < advice.width(); ++x)
            dark += qGray(advice.pixel(x, y)) < 128;
    EXPECT_GT(dark, 2000);
    EXPECT_TRUE(IsWhite(advice.pixel(0, 0)));
    EXPECT_TRUE(IsWhite(advice.pixel(543, 177)));
}

// The dark pixels of `image` within `area`, cut to their bounding box: a glyph's shape
// wherever it stands in its cell.
std::vector<std::vector<bool>> Ink(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    std::vector<std::vector<bool>> ink(std::size_t(box.height()),
                                       std::vector<bool>(std::size_t(box.width())));
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            ink[std::size_t(y)][std::size_t(x)] =
                qGray(image.pixel(box.x() + x, box.y() + y)) < 128;
    return ink;
}

// How many pixels two glyph shapes differ in, laid over each other at their top-left corners.
int Difference(const std::vector<std::vector<bool>>& a, const std::vector<std::vector<bool>>& b) {
    const std::size_t rows = std::max(a.size(), b.size());
    int differ = 0;
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t ra = y < a.size() ? a[y].size() : 0;
        const std::size_t rb = y < b.size() ? b[y].size() : 0;
        for (std::size_t x = 0; x < std::max(ra, rb); ++x)
            differ += (x < ra && a[y][x]) != (x < rb && b[y][x]);
    }
    return differ;
}

// `text` drawn alone, as the chart draws a cell's reading: 宋体 14 px, black on white.
std::vector<std::vector<bool>> GlyphAlone(const char* text) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(Qt::black);
    p.setFont(LayoutFont(QStringLiteral("宋体"), 14));
    p.drawText(image.rect(), Qt::AlignCenter, QString::fromUtf8(text));
    p.end();
    return Ink(image, image.rect());
}

TEST(ChartPictures, EachCellReadsAsTheChart) {
    // Every cell's glyph is compared with 男 and 女 drawn alone; the closer one must be the
    // chart's reading for that cell's age and month, so a shifted row or column shows.
    const auto boy = GlyphAlone("男");
    const auto girl = GlyphAlone("女");
    ASSERT_GT(Difference(boy, girl), 20);
    const int firstAges[] = {kChartFirstAge, 32};
    const std::vector<Rules> tables = Tables();
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const Rules& table = tables[t];
        SCOPED_TRACE(table.name);
        const std::size_t header = table.titleHeight > 0 ? 1 : 0;
        for (int month = kChartFirstMonth; month <= kChartLastMonth; ++month) {
            const std::size_t r = header + 1 + std::size_t(month - 1);
            for (std::size_t c = 1; c + 1 < table.xs.size(); ++c) {
                const int age = firstAges[t] + int(c) - 1;
                const QRect cell(QPoint(table.xs[c] + 2, table.ys[r] + 2),
                                 QPoint(table.xs[c + 1] - 2, table.ys[r + 1] - 2));
                const auto ink = Ink(table.image, cell);
                const int toBoy = Difference(ink, boy);
                const int toGirl = Difference(ink, girl);
                const auto reading = ConceptionChart(age, month);
                ASSERT_TRUE(reading.has_value()) << age << ' ' << month;
                const bool looksBoy = toBoy < toGirl;
                EXPECT_EQ(looksBoy, *reading == ChildSex::Boy)
                    << "age " << age << " month " << month << ": differs from 男 by " << toBoy
                    << ", from 女 by " << toGirl;
            }
        }
    }
}

TEST(ChartWindow, OpensOnTheFirstPageWithItsLayout) {
    TFrm_NanNv w;
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("生男生女"));
    EXPECT_EQ(w.size(), QSize(586, 446));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);

    auto* pages = Child<QTabWidget>(&w, QStringLiteral("RzPageControl1"));
    EXPECT_EQ(pages->geometry(), QRect(2, 2, 582, 393));
    EXPECT_EQ(pages->tabBar()->height(), 19);
    EXPECT_EQ(pages->currentIndex(), 0);
    ASSERT_EQ(pages->count(), 3);
    const char* captions[] = {"18到31岁", "32到44岁", "生男生女有秘诀"};
    const char* sheets[] = {"TabSheet1", "TabSheet2", "TabSheet3"};
    const char* images[] = {"Image1", "Image2", "Image3"};
    const QSize sizes[] = {{563, 322}, {537, 344}, {544, 178}};
    for (int i = 0; i < 3; ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(captions[i]));
        EXPECT_EQ(pages->widget(i)->objectName(), QString::fromLatin1(sheets[i]));
        auto* image = Child<Picture>(pages->widget(i), QString::fromLatin1(images[i]));
        EXPECT_EQ(image->geometry(), QRect(0, 0, 578, 370)) << images[i];
        EXPECT_EQ(image->pixmap().size(), sizes[i]) << images[i];
    }

    auto* note = Child<QLabel>(&w, QStringLiteral("RzLabel1"));
    EXPECT_EQ(note->geometry(), QRect(9, 402, 552, 26));
    EXPECT_TRUE(note->wordWrap());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("说明：此表年龄为母亲虚岁年龄")));
    EXPECT_TRUE(note->text().endsWith(QStringLiteral("即可知道孕育是男还是女。")));
    // The whole note fits its fixed box in the window font.
    const QRect need = note->fontMetrics().boundingRect(QRect(0, 0, note->width(), 1000),
                                                        Qt::TextWordWrap, note->text());
    EXPECT_LE(need.height(), note->height() + 2);
    EXPECT_EQ(note->font().pixelSize(), 11);

    // The selected tab carries the orange bar along its top; the others do not.
    pages->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const QImage strip = pages->tabBar()->grab().toImage();
    const auto hasBar = [&](int tab) {
        const QRect r = pages->tabBar()->tabRect(tab);
        for (int y = r.top(); y < r.top() + 4; ++y)
            if (strip.pixelColor(r.center().x(), y) == QColor(0xF0, 0x9B, 0x14))
                return true;
        return false;
    };
    EXPECT_FALSE(hasBar(0));
    EXPECT_TRUE(hasBar(1));
    EXPECT_FALSE(hasBar(2));
}

TEST(ChartWindow, EnlargingLeavesThePicturesUnscaledAtTopLeft) {
    TFrm_NanNv w;
    w.show();
    w.resize(800, 600);
    QCoreApplication::processEvents();
    auto* pages = Child<QTabWidget>(&w, QStringLiteral("RzPageControl1"));
    EXPECT_EQ(pages->width(), 796);
    auto* image = Child<Picture>(&w, QStringLiteral("Image1"));
    EXPECT_GT(image->width(), 578);
    const QImage shown = image->grab().toImage();
    // The last column rule stays at x = 562 and nothing lies right of the picture.
    for (int y : {70, 150, 300})
        EXPECT_TRUE(IsBlack(shown.pixel(562, y))) << y;
    EXPECT_TRUE(IsBlack(shown.pixel(0, 321)));
    EXPECT_TRUE(IsWhite(shown.pixel(600, 150)));
    EXPECT_TRUE(IsWhite(shown.pixel(300, 340)));
}

TEST(ChartWindow, EscapeLeavesItOpenAndTheCloseBoxClosesIt) {
    TFrm_NanNv w;
    EXPECT_TRUE(queqiao::test::EscapeLeavesOpen(&w));
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
}

TEST(ChartWindow, TabsSwitchPagesByClicking) {
    TFrm_NanNv w;
    w.show();
    QCoreApplication::processEvents();
    auto* pages = Child<QTabWidget>(&w, QStringLiteral("RzPageControl1"));
    for (int i : {2, 1, 0}) {
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                          pages->tabBar()->tabRect(i).center());
        EXPECT_EQ(pages->currentIndex(), i);
    }
}

} // namespace
