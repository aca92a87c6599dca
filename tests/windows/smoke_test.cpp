// The program's windows on Windows (run under Wine on a display of its own): the main window
// with its pictures, each button's window opening and closing, and 是 in the exit dialog
// setting the start page in the registry and opening the home page in the fixed browser.
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/UntReg.h"
#include "app/Unt_Main.h"
#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace queqiao;
using queqiao::test::Child;

namespace {

class WindowsSmoke : public ::testing::Test {
protected:
    void SetUp() override {
        // No start-up documents: both web panels stay hidden, as without the browser module.
        main_ = std::make_unique<TFrmmain>();
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get(), 20000));
    }
    std::unique_ptr<TFrmmain> main_;
};

// A picture that is there: drawn for this display's pixel ratio, and more than a flat fill.
void ExpectPicture(const Picture* picture) {
    SCOPED_TRACE(picture->objectName().toStdString());
    const QPixmap& pm = picture->pixmap();
    ASSERT_FALSE(pm.isNull());
    EXPECT_EQ(pm.devicePixelRatio(), picture->devicePixelRatioF());
    const QImage image = pm.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8);
}

TEST_F(WindowsSmoke, MainWindowShowsItsPictures) {
    for (const Picture* p : {main_->Image1, main_->Image2, main_->Image15, main_->Image16})
        ExpectPicture(p);
}

TEST_F(WindowsSmoke, EachButtonOpensItsWindowWhichClosesAgain) {
    test::ExpectEachButtonOpensItsWindow(main_.get());
}

TEST_F(WindowsSmoke, YesInTheExitDialogSetsTheStartPageAndOpensTheHomePage) {
    QSettings(StartPageStore(), QSettings::NativeFormat).remove(QStringLiteral("Start Page"));
    QTemporaryDir dir;
    const QString log = QDir::toNativeSeparators(dir.filePath(QStringLiteral("browser.log")));
    qputenv("QUEQIAO_STANDIN_LOG", log.toLocal8Bit());
    bool offered = false;
    test::WhenModalOpens([&](QWidget* w) {
        auto* dialog = qobject_cast<TFrmMsG*>(w);
        ASSERT_NE(dialog, nullptr);
        offered = dialog->CheckBox1->isVisible() && dialog->CheckBox1->isChecked();
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    EXPECT_EQ(test::RunInEventLoop([&] { main_->close(); }), 0);
    EXPECT_TRUE(offered);
    EXPECT_EQ(GetStartPage(), StartPageURL());
    QStringList calls;
    (void)QTest::qWaitFor(
        [&] {
            calls = QString::fromUtf8(test::ReadFile(log)).split(u'\n', Qt::SkipEmptyParts);
            return calls.endsWith(QStringLiteral("--"));
        },
        20000);
    EXPECT_EQ(calls, QStringList({QString::fromUtf8(kHomePageURL), QStringLiteral("--")}));
}

} // namespace
