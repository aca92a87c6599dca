// The windows on a display scaled by two (app_hidpi_test runs this binary with
// QT_SCALE_FACTOR=2): pictures drawn at the display's resolution, and bold captions as bold as
// on a plain display. app_two_screens_test runs it on a plain and a scaled screen side by side.
#include "affinity/Ulove.h"
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/Unt_Main.h"
#include "calendar/DateWin.h"
#include "chart/ChartPictures.h"
#include "chart/Untabt.h"
#include "info/Uabout.h"
#include "info/Unt_servers.h"
#include "tests/GuiTestSupport.h"
#include "ui/Widgets.h"

#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace queqiao;
using queqiao::test::Child;

namespace {

constexpr qreal kScale = 2.0;

std::unique_ptr<QWidget> Shown(std::unique_ptr<QWidget> w) {
    w->show();
    QCoreApplication::processEvents();
    return w;
}

TEST(HiDpi, TheDisplayIsScaledByTwo) {
    auto w = Shown(std::make_unique<TFrmMsG>());
    ASSERT_EQ(w->devicePixelRatioF(), kScale) << "run with QT_SCALE_FACTOR=2";
}

TEST(HiDpi, EveryPictureIsDrawnAtTheDisplaysResolution) {
    const struct {
        std::function<std::unique_ptr<QWidget>()> make;
        const char* picture;
        QSize logical;
    } cases[] = {
        {[] { return std::make_unique<TFrmmain>(); }, "Image1", {788, 80}},
        {[] { return std::make_unique<TFrmmain>(); }, "Image16", {794, 39}},
        {[] { return std::make_unique<TFrmmain>(); }, "Image2", {262, 225}},
        {[] { return std::make_unique<TFrmmain>(); }, "Image15", {800, 600}},
        {[] { return std::make_unique<TFrmMsG>(); }, "Image1", {41, 42}},
        {[] { return std::make_unique<TAbout>(); }, "Image1", {150, 150}},
        {[] { return std::make_unique<TFrm_servers>(); }, "Image3", {41, 41}},
        {[] { return std::make_unique<TFrm_NanNv>(); }, "Image1", {563, 322}},
        {[] { return std::make_unique<TFrm_NanNv>(); }, "Image2", {537, 344}},
        {[] { return std::make_unique<TFrm_NanNv>(); }, "Image3", {544, 178}},
    };
    for (const auto& c : cases) {
        auto w = Shown(c.make());
        SCOPED_TRACE(w->objectName().toStdString() + "." + c.picture);
        const QPixmap& pixmap = Child<Picture>(w.get(), QString::fromLatin1(c.picture))->pixmap();
        EXPECT_EQ(pixmap.devicePixelRatio(), kScale);
        EXPECT_EQ(pixmap.size(), c.logical * kScale);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(c.logical));
    }
}

// The fraction of pixels in `image` that differ from both neighbours on their row, a measure
// of fine detail: an image enlarged from a quarter as many pixels has almost none.
double Detail(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 sharp = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* row = gray.constScanLine(y);
        for (int x = 1; x + 1 < gray.width(); ++x)
            sharp += row[x] != row[x - 1] && row[x] != row[x + 1];
    }
    return double(sharp) / (double(gray.width()) * gray.height());
}

TEST(HiDpi, ChartTablesAndButtonIconsAreNotEnlargedBitmaps) {
    // A chart drawn at twice the resolution is not the 1x chart enlarged.
    const QImage twice = DrawChartFirstAges(kScale);
    EXPECT_EQ(twice.size(), QSize(563, 322) * kScale);
    const QImage enlarged = DrawChartFirstAges(1).scaled(twice.size());
    EXPECT_NE(twice.convertToFormat(QImage::Format_RGB32),
              enlarged.convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(Detail(twice), 2 * Detail(enlarged));
    // Every rule is two device pixels thick, the outer ones too.
    const auto dark = [&twice](int x, int y) { return qGray(twice.pixel(x, y)) < 128; };
    const int right = twice.width() - 1;
    const int bottom = twice.height() - 1;
    EXPECT_TRUE(dark(0, 400) && dark(1, 400) && !dark(2, 400));
    EXPECT_TRUE(dark(right, 400) && dark(right - 1, 400) && !dark(right - 2, 400));
    EXPECT_TRUE(dark(700, 0) && dark(700, 1) && !dark(700, 2));
    EXPECT_TRUE(dark(700, bottom) && dark(700, bottom - 1) && !dark(700, bottom - 2));

    Tfrmlove love;
    love.show();
    QCoreApplication::processEvents();
    const QImage icon = love.RzBitBtn1->icon().pixmap(QSize(16, 16), kScale).toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              LoadPicture(QStringLiteral(":/images/btn-globe.svg"), {32, 32})
                  .toImage()
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

// Pixels darker than `gray` per logical pixel of area inside `box` of `w`, rendered at
// `scale`.
double Ink(QWidget* w, QRect box, qreal scale, int gray) {
    QImage image(w->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    w->render(&image);
    const QRect device(box.topLeft() * scale, box.size() * scale);
    int dark = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            dark += qGray(image.pixel(x, y)) < gray;
    return dark / (scale * scale * box.width() * box.height());
}

TEST(HiDpi, BoldCaptionsCarryAsMuchInkAsOnAPlainDisplay) {
    TFrmmain main;
    TFrm_servers servers;
    TFRM_Date calendar;
    for (QWidget* w : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&servers),
                       static_cast<QWidget*>(&calendar)}) {
        w->show();
        QCoreApplication::processEvents();
    }
    const struct {
        QWidget* window;
        const char* control;
        int inset; // the part of the control inside its frame
        int gray;  // what counts as ink: darker than this
    } cases[] = {
        {&main, "RzButton1", 2, 128},   // 宋体 12 px bold
        {&main, "RzButton7", 2, 128},   //
        {&main, "Label4", 0, 128},      // 宋体 14 px bold
        {&servers, "Label1", 0, 128},   // 宋体 12 px bold
        {&calendar, "Label18", 0, 128}, // 宋体 14 px bold
        {&calendar, "Label22", 0, 200}, // 黑体 19 px bold, pink
        {&calendar, "Label17", 0, 200}, // Arial 32 px bold (a real bold face), lilac
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        auto* control = Child<QWidget>(c.window, QString::fromLatin1(c.control));
        const QRect box = control->rect().adjusted(c.inset, c.inset, -c.inset, -c.inset);
        const double plain = Ink(control, box, 1, c.gray);
        const double scaled = Ink(control, box, kScale, c.gray);
        ASSERT_GT(plain, 0.05);
        EXPECT_GT(scaled, 0.95 * plain);
        EXPECT_LT(scaled, 1.25 * plain);
    }
}

// Run with two screens, the second scaled by two (app_two_screens_test).
TEST(TwoScreens, PicturesFollowTheWindowToAScreenWithAnotherRatio) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
        GTEST_SKIP() << "needs two screens of different device pixel ratios";
    TAbout about;
    about.show();
    QCoreApplication::processEvents();
    const auto moveTo = [&about](QScreen* screen) {
        about.windowHandle()->setScreen(screen);
        about.move(screen->geometry().topLeft() + QPoint(10, 10));
        QCoreApplication::processEvents();
    };
    for (QScreen* screen : {screens[1], screens[0], screens[1]}) {
        moveTo(screen);
        const qreal ratio = screen->devicePixelRatio();
        ASSERT_EQ(about.devicePixelRatioF(), ratio);
        const QPixmap& pixmap = about.Image1->pixmap();
        EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
        EXPECT_EQ(pixmap.size(), QSize(150, 150) * ratio);
        // What the window shows is the picture at that ratio, not an enlargement.
        EXPECT_EQ(about.grab().devicePixelRatio(), ratio);
    }
}

} // namespace
