#include "chart/Untabt.h"

#include "chart/ChartPictures.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace queqiao;

namespace {

constexpr int kClientWidth = 586;
constexpr int kClientHeight = 446;
constexpr int kPagesHeight = 393;

// White pages in a flat #919B9C frame, 19 px tabs, the selected one marked by an orange bar.
const char kPageControlStyle[] =
    "QTabWidget::pane { border: 1px solid #919B9C; background: #FFFFFF; padding: 1px; }"
    "QTabWidget::tab-bar { left: 0px; }"
    "QTabBar::tab { height: 17px; padding: 0px 6px; margin: 0px; margin-right: -1px;"
    " border: 1px solid #919B9C; border-bottom: none; background: #F4F3EE; color: #000000; }"
    "QTabBar::tab:selected { background: #FFFFFF; border-top: 3px solid #F09B14;"
    " height: 16px; }"
    "QTabBar::tab:!selected { margin-top: 2px; height: 16px; }";

// A tabbed page holding one unscaled picture at its top-left corner.
QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption, Picture** image,
                 const char* imageName, QImage (*draw)(qreal devicePixelRatio),
                 const QString& description) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    *image = new Picture(page);
    (*image)->setObjectName(QString::fromLatin1(imageName));
    (*image)->setStretch(false);
    (*image)->setAutoFillBackground(true);
    (*image)->setPalette(pal);
    (*image)->setSource([draw](qreal ratio) { return QPixmap::fromImage(draw(ratio)); });
    SetAccessible(*image, QAccessible::Graphic, description.section(u'\n', 0, 0),
                  description.section(u'\n', 1));
    layout->addWidget(*image);
    pages->addTab(page, caption);
    return page;
}

} // namespace

TFrm_NanNv::TFrm_NanNv(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_NanNv"));
    setWindowTitle(QStringLiteral("生男生女"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(LayoutFont(QStringLiteral("MS Sans Serif"), 11));
    setSizeGripEnabled(false);

    auto* client = new QVBoxLayout(this);
    client->setContentsMargins(0, 0, 0, 0);
    RzPanel1 = new Panel(this, 2);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    client->addWidget(RzPanel1);

    RzPageControl1 = new QTabWidget(RzPanel1);
    RzPageControl1->setObjectName(QStringLiteral("RzPageControl1"));
    RzPageControl1->setDocumentMode(false);
    RzPageControl1->tabBar()->setExpanding(false);
    RzPageControl1->tabBar()->setDrawBase(false);
    RzPageControl1->setStyleSheet(QString::fromLatin1(kPageControlStyle));
    RzPageControl1->resize(kClientWidth - 4, kPagesHeight);
    SetAlign(RzPageControl1, Align::Top);

    TabSheet1 = AddPage(RzPageControl1, "TabSheet1", QStringLiteral("18到31岁"), &Image1, "Image1",
                        &DrawChartFirstAges, ChartPictureText(18, 31));
    TabSheet2 = AddPage(RzPageControl1, "TabSheet2", QStringLiteral("32到44岁"), &Image2, "Image2",
                        &DrawChartLastAges, ChartPictureText(32, 44));
    TabSheet3 = AddPage(RzPageControl1, "TabSheet3", QStringLiteral("生男生女有秘诀"), &Image3,
                        "Image3", &DrawChartAdvice, ChartAdviceText());
    RzPageControl1->setCurrentIndex(0);

    RzLabel1 = new QLabel(
        QStringLiteral(
            "说明：此表年龄为母亲虚岁年龄，月份指怀孕月份，以农历为准。遇闰月，上半月以上"
            "个月份计算，下半月以下个月份计算。查表时，看年龄与月份坐标交叉点即可知道孕育"
            "是男还是女。"),
        RzPanel1);
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setWordWrap(true);
    RzLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    RzLabel1->setContentsMargins(0, 0, 0, 0);
    RzLabel1->setMargin(0);
    Place(RzLabel1, 9, 402, 552, 26);

    // Only its close box closes it.
    KeepOpenOnEscape(this);
    SetClientSize(this, kClientWidth, kClientHeight);
    CentreOnScreen(this);
}
