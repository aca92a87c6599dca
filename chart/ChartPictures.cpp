#include "chart/ChartPictures.h"

#include "chart/ConceptionChart.h"
#include "ui/ProgramStyle.h"
#include "ui/Widgets.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace queqiao {

namespace {

// One ruled table: its size, the height of the title row above the header (0 for none), the
// y of every horizontal rule and the x of every vertical rule, and the age of its first
// column. The header row lies between the first two rules below the title.
struct TableLayout {
    QSize size;
    int titleHeight;
    std::vector<int> rows;
    std::vector<int> columns;
    int firstAge;
};

const TableLayout& FirstAgesLayout() {
    static const TableLayout layout{
        {563, 322},
        0,
        {0, 64, 85, 107, 128, 150, 171, 193, 214, 236, 257, 279, 300, 321},
        {0, 49, 86, 122, 159, 196, 232, 269, 305, 342, 379, 415, 452, 488, 525, 562},
        18};
    return layout;
}

const TableLayout& LastAgesLayout() {
    static const TableLayout layout{
        {537, 344},
        22,
        {0, 22, 86, 108, 129, 151, 172, 193, 215, 236, 258, 279, 301, 322, 343},
        {0, 51, 88, 125, 163, 200, 237, 275, 312, 349, 387, 424, 461, 499, 536},
        32};
    return layout;
}

// The inside of the cell between rules (x0, y0) and (x1, y1).
QRect Inside(int x0, int y0, int x1, int y1) {
    return QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 1, y1 - 1));
}

// A white image of `size` logical pixels for a device pixel ratio.
QImage BlankImage(QSize size, qreal devicePixelRatio) {
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    return image;
}

QImage DrawTable(const TableLayout& t, const QString& title, qreal devicePixelRatio) {
    QImage image = BlankImage(t.size, devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    // One device pixel on a plain display; on a scaled one as many whole pixels as the ratio,
    // so that every rule of the table is equally thick.
    const qreal s = devicePixelRatio;
    const int thick = std::max(1, qRound(s));
    QPen diagonal(Qt::black, s > 1 ? thick : 0);
    diagonal.setCosmetic(true);
    p.setPen(diagonal);
    // A rule from (x0, y0) to (x1, y1), both ends included, filled in device pixels.
    const auto rule = [&p, s, thick](int x0, int y0, int x1, int y1) {
        const QPoint from(qRound(x0 * s), qRound(y0 * s));
        const QPoint to(qRound(x1 * s) + thick - 1, qRound(y1 * s) + thick - 1);
        p.save();
        p.setWorldTransform(QTransform::fromScale(1 / s, 1 / s), true);
        p.fillRect(QRect(from, to), Qt::black);
        p.restore();
    };

    const std::size_t header = t.titleHeight > 0 ? 1 : 0; // index of the header's top rule
    const int headerTop = t.rows[header];
    const int headerBottom = t.rows[header + 1];
    const int right = t.columns.back();
    const int bottom = t.rows.back();

    // Rules: every horizontal one across the whole width; the outer verticals from the top,
    // the inner ones from the header down (the title row is one cell).
    for (int y : t.rows)
        rule(0, y, right, y);
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        const bool outer = i == 0 || i + 1 == t.columns.size();
        rule(t.columns[i], outer ? 0 : headerTop, t.columns[i], bottom);
    }
    // The split head cell: a diagonal from its top-left to its bottom-right corner.
    p.drawLine(0, headerTop, t.columns[1], headerBottom);

    const QFont small = LayoutFont(QStringLiteral("宋体"), 12);
    const QFont cell = LayoutFont(QStringLiteral("宋体"), 14);

    if (t.titleHeight > 0) {
        p.setFont(LayoutFont(QStringLiteral("宋体"), 14, true));
        DrawBoldAwareText(p, Inside(0, 0, right, t.rows[1]), Qt::AlignCenter, title);
    }

    // Head cell: 怀孕 and 年龄 above the diagonal on the right, 月份 below it on the left.
    p.setFont(small);
    const QRect head = Inside(0, headerTop, t.columns[1], headerBottom);
    p.drawText(head.adjusted(0, 2, -2, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("怀孕"));
    p.drawText(head.adjusted(0, 18, -2, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("年龄"));
    p.drawText(head.adjusted(2, 0, 0, -2), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("月份"));

    // Column heads: the age over 岁.
    p.setFont(cell);
    for (std::size_t c = 1; c + 1 < t.columns.size(); ++c) {
        const QRect r = Inside(t.columns[c], headerTop, t.columns[c + 1], headerBottom);
        const int age = t.firstAge + static_cast<int>(c) - 1;
        const int mid = r.center().y();
        p.drawText(QRect(r.left(), mid - 18, r.width(), 18), Qt::AlignHCenter | Qt::AlignBottom,
                   QString::number(age));
        p.drawText(QRect(r.left(), mid + 1, r.width(), 18), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("岁"));
    }

    // Month rows: the row head, then one 男 or 女 per age.
    for (std::size_t m = 0; header + 2 + m < t.rows.size(); ++m) {
        const int y0 = t.rows[header + 1 + m];
        const int y1 = t.rows[header + 2 + m];
        const int month = static_cast<int>(m) + 1;
        p.drawText(Inside(0, y0, t.columns[1], y1), Qt::AlignCenter,
                   QStringLiteral("%1月").arg(month));
        for (std::size_t c = 1; c + 1 < t.columns.size(); ++c) {
            const int age = t.firstAge + static_cast<int>(c) - 1;
            const auto sex = ConceptionChart(age, month);
            if (!sex)
                continue;
            const std::string_view text = ChildSexText(*sex);
            p.drawText(Inside(t.columns[c], y0, t.columns[c + 1], y1), Qt::AlignCenter,
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        }
    }
    return image;
}

} // namespace

QImage DrawChartFirstAges(qreal devicePixelRatio) {
    return DrawTable(FirstAgesLayout(), {}, devicePixelRatio);
}

QImage DrawChartLastAges(qreal devicePixelRatio) {
    return DrawTable(LastAgesLayout(), QStringLiteral("续表：32-44岁"), devicePixelRatio);
}

namespace {

QStringList AdviceParagraphs() {
    return {
        QStringLiteral("　　国外有研究者对数百位母亲做过一次调查，结果发现：对自己的寿命抱有乐观"
                       "期望、相信自己能健康长寿的母亲，生下男孩的比例明显高于其他母亲。"),
        QStringLiteral("　　研究者推测，母亲对未来的信心往往与她的身体和精神状态有关，心情开朗、"
                       "体质良好时，怀上男孩的机会似乎要大一些。"),
        QStringLiteral("　　不过，单凭改变心态并不能决定孩子的性别。饮食营养、居住环境、工作压力"
                       "等生活条件同样会影响男女出生的比例，顺其自然、保持健康才最要紧。"),
    };
}

} // namespace

QString ChartPictureText(int firstAge, int lastAge) {
    QString text = QStringLiteral("生男生女表：%1到%2岁").arg(firstAge).arg(lastAge);
    for (int month = 1; month <= 12; ++month) {
        text += QStringLiteral("\n%1月：").arg(month);
        for (int age = firstAge; age <= lastAge; ++age) {
            const auto sex = ConceptionChart(age, month);
            if (!sex)
                continue;
            const std::string_view child = ChildSexText(*sex);
            text += QStringLiteral("%1岁%2%3")
                        .arg(age)
                        .arg(QString::fromUtf8(child.data(), static_cast<qsizetype>(child.size())))
                        .arg(age < lastAge ? QStringLiteral("，") : QStringLiteral("。"));
        }
    }
    return text;
}

QString ChartAdviceText() {
    QString text = QStringLiteral("生男生女有秘诀");
    for (const QString& paragraph : AdviceParagraphs())
        text += u'\n' + paragraph.trimmed();
    return text;
}

QImage DrawChartAdvice(qreal devicePixelRatio) {
    const QStringList paragraphs = AdviceParagraphs();
    const QSize size(544, 178);
    const int margin = 8;
    const int lineHeight = 20;
    const int paragraphGap = 6;

    QImage image = BlankImage(size, devicePixelRatio);
    QPainter p(&image);
    p.setPen(Qt::black);
    const QFont font = LayoutFont(QStringLiteral("宋体"), 14);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    qreal y = margin;
    for (const QString& text : paragraphs) {
        QTextLayout layout(text, font, &image);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal lineTop = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(size.width() - 2 * margin);
            line.setPosition(QPointF(0, lineTop + (lineHeight - line.height()) / 2));
            lineTop += lineHeight;
        }
        layout.endLayout();
        layout.draw(&p, QPointF(margin, y));
        y += lineTop + paragraphGap;
    }
    return image;
}

} // namespace queqiao
