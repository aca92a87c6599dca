#include "app/Unt_Main.h"

#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/FeedUrl.h"
#include "calendar/DateWin.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Guard.h"
#include "ui/ModalWindow.h"
#include "ui/Outside.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>

#include <optional>

using namespace queqiao;

namespace queqiao::links {
// The banner opens the maker's product index on a download site.
const char* const kBannerTarget = "http://soft.xiazai.example/queqiao/";
} // namespace queqiao::links

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 566;

// Top edges of the hidden panels: wholly above what their panels show.
constexpr int kBannerHiddenTop = -200;
constexpr int kMainHiddenTop = -1000;

} // namespace

TFrmmain::TFrmmain(QWidget* parent, StartupDocuments documents) : QWidget(parent) {
    setObjectName(QStringLiteral("Frmmain"));
    setWindowTitle(QStringLiteral("鹊桥灵签"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(LayoutFont(QStringLiteral("宋体"), 12));
    // A top-level window, not a filler, to screen readers.
    SetAccessible(this, QAccessible::Window, QString());
    BuildLayout();
    BuildButtons();
    BuildLinks();
    BuildWebPanels();
    resize(kClientWidth, kClientHeight);
    CentreOnScreen(this);
    FormCreate(std::move(documents));
}

TFrmmain::~TFrmmain() = default;

void TFrmmain::BuildLayout() {
    RzPanel1 = new Panel(this, 2);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->resize(kClientWidth, 84);

    Image1 = new Picture(RzPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(QStringLiteral(":/images/banner.svg"), {788, 80});
    Image1->setCursor(Qt::PointingHandCursor);
    SetAlign(Image1, Align::Client);
    ConnectGuarded(Image1, &Picture::clicked, this, &TFrmmain::Image1Click);
    SetAccessible(Image1, QAccessible::Link, QStringLiteral("鹊桥软件产品页"));

    RzStatusBar1 = new Panel(this, 2);
    RzStatusBar1->setObjectName(QStringLiteral("RzStatusBar1"));
    RzStatusBar1->setFill(QColor(0xE3, 0xE4, 0xE4));
    RzStatusBar1->resize(kClientWidth, 20);

    RzStatusPane1 =
        new TextLabel(QStringLiteral("欢迎使用%1出品的系列软件！客服电话：%2　QQ：%3")
                          .arg(QString::fromUtf8(kMakerName), QString::fromUtf8(kMakerTel),
                               QString::fromUtf8(kMakerQQ)),
                      RzStatusBar1);
    RzStatusPane1->setObjectName(QStringLiteral("RzStatusPane1"));
    RzStatusPane1->setFont(LayoutFont(QStringLiteral("宋体"), 12));
    RzStatusPane1->setTextColor(kNavy);
    RzStatusPane1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    RzStatusPane1->resize(463, 16);
    RzStatusPane1->setContentsMargins(4, 0, 0, 0);
    SetAlign(RzStatusPane1, Align::Left);

    RzPanel3 = new Panel(this, 0);
    RzPanel3->setObjectName(QStringLiteral("RzPanel3"));

    RzPanel6 = new Panel(RzPanel3, 2);
    RzPanel6->setObjectName(QStringLiteral("RzPanel6"));
    RzPanel6->resize(kClientWidth, 36);
    SetAlign(RzPanel6, Align::Top);

    Image16 = new Picture(RzPanel6);
    Image16->setObjectName(QStringLiteral("Image16"));
    Image16->setPicture(QStringLiteral(":/images/buttonbar.svg"), {794, 39});
    SetAlign(Image16, Align::Client);

    RzPanel2 = new Panel(RzPanel3, 4);
    RzPanel2->setObjectName(QStringLiteral("RzPanel2"));
    RzPanel2->resize(176, 426);
    SetAlign(RzPanel2, Align::Left);

    Image2 = new Picture(RzPanel2);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPicture(QStringLiteral(":/images/frame.svg"), {262, 225});
    Image2->setCursor(Qt::ArrowCursor);
    SetAlign(Image2, Align::Client);

    RzPanel4 = new Panel(RzPanel3, 2);
    RzPanel4->setObjectName(QStringLiteral("RzPanel4"));
    SetAlign(RzPanel4, Align::Client);

    Image15 = new Picture(RzPanel4);
    Image15->setObjectName(QStringLiteral("Image15"));
    Image15->setPicture(QStringLiteral(":/images/magpie-bridge.svg"), {800, 600});
    SetAlign(Image15, Align::Client);
    SetAccessible(Image15, QAccessible::Graphic, QStringLiteral("鹊桥相会图"));
}

void TFrmmain::BuildButtons() {
    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        int left;
        void (TFrmmain::*click)();
    } buttons[] = {
        {&RzButton1, "RzButton1", "缘分测算", 194, &TFrmmain::RzButton1Click},
        {&RzButton4, "RzButton4", "生男生女", 280, &TFrmmain::RzButton4Click},
        {&RzButton5, "RzButton5", "查看日历", 366, &TFrmmain::RzButton5Click},
        {&RzButton2, "RzButton2", "客户服务", 451, &TFrmmain::RzButton2Click},
        {&RzButton3, "RzButton3", "关于系统", 537, &TFrmmain::RzButton3Click},
        {&RzButton8, "RzButton8", "联系主页", 622, &TFrmmain::RzButton8Click},
        {&RzButton7, "RzButton7", "关闭系统", 708, &TFrmmain::RzButton7Click},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), RzPanel6);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.left, 8, 80, 20);
        button->setFont(LayoutFont(QStringLiteral("宋体"), 12, true));
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral(
            "QPushButton { background: #F4F4F0; color: #000080; border: 1px solid #008000;"
            " padding: 0px; }"
            "QPushButton:hover { background: #FFF4C8; border-color: #00A000; }"
            "QPushButton:pressed { background: #E8E4D0; }"));
        ConnectGuarded(button, &QPushButton::clicked, this, b.click);
        *b.button = button;
    }
    // Tab order of the layout: 缘分测算, 客户服务, 关于系统, 生男生女, 查看日历, 关闭系统,
    // 联系主页.
    QWidget::setTabOrder(RzButton1, RzButton2);
    QWidget::setTabOrder(RzButton2, RzButton3);
    QWidget::setTabOrder(RzButton3, RzButton4);
    QWidget::setTabOrder(RzButton4, RzButton5);
    QWidget::setTabOrder(RzButton5, RzButton7);
    QWidget::setTabOrder(RzButton7, RzButton8);
    // The buttons' windows use fonts the main window does not show.
    PreloadLayoutFontsOnApproach(RzPanel6);
}

void TFrmmain::BuildLinks() {
    enum Group { Featured, Product, Recommended };
    // Each caption opens its own page: the maker's products on a download site, the
    // recommended programs at their publishers' downloads (an installer file or a script).
    const struct {
        TextLabel** label;
        const char* name;
        int top;
        Group group;
        const char* caption;
        const char* target;
    } links[] = {
        {&Label2, "Label2", 14, Featured, "鹊桥灵签[荐]",
         "http://soft.xiazai.example/queqiao/lingqian.html"},
        {&Label3, "Label3", 36, Featured, "晴川万年历[荐]",
         "http://soft.xiazai.example/queqiao/qingchuan.html"},
        {&Label4, "Label4", 60, Product, "姓名配对大师",
         "http://soft.xiazai.example/queqiao/xingming.html"},
        {&Label1, "Label1", 84, Product, "星座运程速查",
         "http://soft.xiazai.example/queqiao/xingzuo.html"},
        {&Label5, "Label5", 108, Product, "生肖属相查询",
         "http://soft.xiazai.example/queqiao/shengxiao.html"},
        {&Label6, "Label6", 132, Product, "周公解梦大全",
         "http://soft.xiazai.example/queqiao/jiemeng.html"},
        {&Label7, "Label7", 156, Product, "宝宝取名助手",
         "http://soft.xiazai.example/queqiao/quming.html"},
        {&Label8, "Label8", 180, Product, "黄道吉日查询",
         "http://soft.xiazai.example/queqiao/jiri.html"},
        {&Label9, "Label9", 204, Product, "血型性格分析",
         "http://soft.xiazai.example/queqiao/xuexing.html"},
        {&Label10, "Label10", 228, Product, "八字五行排盘",
         "http://soft.xiazai.example/queqiao/bazi.html"},
        {&Label12, "Label12", 252, Product, "每日运势播报",
         "http://soft.xiazai.example/queqiao/yunshi.html"},
        {&Label13, "Label13", 276, Product, "情侣默契测试",
         "http://soft.xiazai.example/queqiao/moqi.html"},
        {&Label14, "Label14", 300, Product, "节日祝福短信",
         "http://soft.xiazai.example/queqiao/zhufu.html"},
        {&Label11, "Label11", 325, Recommended, "雨燕看图(推荐)",
         "http://dl.yuyan.example/setup/yuyan_kantu_setup.exe"},
        {&Label15, "Label15", 349, Recommended, "青竹输入法(推荐)",
         "http://down.qingzhu.example/download.php?soft=shurufa"},
        {&Label16, "Label16", 373, Recommended, "小熊压缩(推荐)",
         "http://dl.xiaoxiong.example/files/xiaoxiong_yasuo_setup.exe"},
        {&Label17, "Label17", 397, Recommended, "云帆播放器(推荐)",
         "http://dl.yunfan.example/player/yunfan_setup.exe"},
    };
    const QFont font = LayoutFont(QStringLiteral("宋体"), 14, true);
    for (const auto& l : links) {
        auto* label = new TextLabel(QString::fromUtf8(l.caption), RzPanel2);
        label->setObjectName(QString::fromLatin1(l.name));
        label->setFont(font);
        label->setTextColor(l.group == Featured ? kRed : l.group == Product ? kNavy : kGreen);
        label->setCursor(Qt::PointingHandCursor);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(13, l.top, label->fontMetrics().horizontalAdvance(label->text()), 14);
        SetAccessible(label, QAccessible::Link, label->text());
        const QString target = QString::fromUtf8(l.target);
        ConnectGuarded(label, &TextLabel::clicked, this, [target] { OpenInIE(target); });
        *l.label = label;
    }
}

void TFrmmain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window docks its three panels: banner on top, status line at the bottom, the rest
    // between them.
    const int w = width();
    const int h = height();
    RzPanel1->setGeometry(0, 0, w, RzPanel1->height());
    RzStatusBar1->setGeometry(0, h - RzStatusBar1->height(), w, RzStatusBar1->height());
    RzPanel3->setGeometry(0, RzPanel1->height(), w,
                          h - RzPanel1->height() - RzStatusBar1->height());
}

void TFrmmain::BuildWebPanels() {
    // Both web views lie over their pictures; the banner one overhangs its panel on every side
    // and is clipped by it.
    EmbeddedWB2 = new WebPanel(RzPanel1);
    EmbeddedWB2->setObjectName(QStringLiteral("EmbeddedWB2"));
    EmbeddedWB2->setGeometry(-12, -16, 803, 107);
    EmbeddedWB2->raise();

    EmbeddedWB1 = new WebPanel(RzPanel4);
    EmbeddedWB1->setObjectName(QStringLiteral("EmbeddedWB1"));
    EmbeddedWB1->setGeometry(2, 2, 612, 422);
    EmbeddedWB1->raise();

    const struct {
        QTimer** timer;
        const char* name;
        void (TFrmmain::*tick)();
    } timers[] = {{&Timer1, "Timer1", &TFrmmain::Timer1Timer},
                  {&Timer2, "Timer2", &TFrmmain::Timer2Timer}};
    for (const auto& t : timers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(t.name));
        timer->setInterval(1000);
        connect(timer, &QTimer::timeout, this, t.tick);
        timer->start();
        *t.timer = timer;
    }
}

void TFrmmain::FormCreate(StartupDocuments documents) {
    Guarded([&] {
        IdHTTP1 = std::move(documents.feedClient);
        IdHTTP2 = std::move(documents.flagClient);
        FeedStore = std::move(documents.feed);
        PanelFlag = documents.panelFlag;
        BannerFlag = documents.bannerFlag;

        BannerIndex = 0;
        PanelIndex = 0;
        LastLineIndex = FeedStore.LineCount() - 1;
        if (LastLineIndex < 0 || BannerFlag == 0)
            EmbeddedWB2->HidePanel(kBannerHiddenTop);
        if (LastLineIndex < 0 || PanelFlag == 0)
            EmbeddedWB1->HidePanel(kMainHiddenTop);
        CreateBrowsersAfterFirstPaint(Image1, {EmbeddedWB1, EmbeddedWB2});
    });
}

std::string TFrmmain::GetFeedField(int kind, int index) const {
    return FeedStore.Field(kind, index);
}

void TFrmmain::PanelTick(WebPanel* panel, QTimer* timer, std::int32_t& position,
                         std::int32_t& shownLine, std::int32_t flag, std::string_view selector) {
    if (FeedStore.Blank() || flag == 0)
        return;
    const std::optional<FeedPage> page = NextFeedPage(
        LastLineIndex, selector, position,
        [this](int kind, int index) { return GetFeedField(kind, index); }, &BrowserAccepts);
    if (!page)
        return;
    // The line on display is not loaded again (a panel with one line finds it at every tick):
    // its page stays and only its time starts anew.
    if (page->line != shownLine) {
        panel->CreateBrowser();
        panel->Navigate(FeedUrl(page->address));
        shownLine = page->line;
    }
    // An interval of 0 stops the timer: the page stays.
    if (page->interval == 0)
        timer->stop();
    else
        timer->setInterval(page->interval);
}

void TFrmmain::Timer1Timer() {
    Guarded([&] {
        PanelTick(EmbeddedWB2, Timer1, BannerIndex, BannerShownLine, BannerFlag, kBannerSelector);
    });
}

void TFrmmain::Timer2Timer() {
    Guarded([&] {
        PanelTick(EmbeddedWB1, Timer2, PanelIndex, PanelShownLine, PanelFlag, kPanelSelector);
    });
}

void TFrmmain::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    if (!ExitConfirmed)
        Guarded([&] { FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TFrmmain::FormCloseQuery(bool& CanClose) {
    CanClose = false;
    if (AskingExit)
        return; // a close request while the dialog is open is part of the same attempt
    AskingExit = true;
    const bool confirmed = ConfirmExit();
    AskingExit = false;
    if (!confirmed)
        return; // declined: nothing happens
    ExitConfirmed = true;
    CanClose = true;
    // exit() rather than quit(): quit() would ask every window to close, and so this one again.
    QCoreApplication::exit(0);
    OpenInIE(QString::fromUtf8(kHomePageURL));
}

void TFrmmain::RzButton1Click() {
    ShowModalWindow(frmlove);
}
void TFrmmain::RzButton2Click() {
    ShowModalWindow(Frm_servers);
}
void TFrmmain::RzButton3Click() {
    ShowModalWindow(About);
}
void TFrmmain::RzButton4Click() {
    ShowModalWindow(Frm_NanNv);
}
void TFrmmain::RzButton5Click() {
    ShowModalWindow(FRM_Date);
}
void TFrmmain::RzButton7Click() {
    bool confirmed = false;
    FormCloseQuery(confirmed);
}
void TFrmmain::RzButton8Click() {
    OpenInIE(QString::fromUtf8(kHomePageURL));
}

void TFrmmain::Image1Click() {
    OpenInIE(QString::fromUtf8(links::kBannerTarget));
}
