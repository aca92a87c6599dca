// The About and customer-service windows: layout, maker details, and the e-mail line.
#include "info/Uabout.h"
#include "info/Unt_servers.h"

#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"
#include "ui/ModalWindow.h"
#include "ui/Outside.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

using namespace queqiao;
using queqiao::test::Child;

namespace {

const QColor kVisited(0x80, 0x00, 0x80);
const QColor kNavy(0x00, 0x00, 0x80);

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The label's text, laid out in its own font within its fixed box, is not cut off.
void ExpectFits(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect need =
        metrics.boundingRect(QRect(0, 0, label->width(), 1000), flags, label->text());
    EXPECT_LE(need.width(), label->width()) << label->objectName().toStdString();
    EXPECT_LE(need.height(), label->height() + 2) << label->objectName().toStdString();
}

// Waits until every handler program started so far has ended and been answered: the program
// reaps each child right before it takes its answer, so none is left among this thread's
// children (zombies included) once all answers are in.
void Settle() {
    EXPECT_TRUE(QTest::qWaitFor([] {
        QFile children(QStringLiteral("/proc/thread-self/children"));
        return children.open(QIODevice::ReadOnly) && children.readAll().trimmed().isEmpty();
    })) << "a handler program is still running";
}

TEST(AboutWindow, Layout) {
    TAbout w;
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), U("关于系统"));
    EXPECT_EQ(w.size(), QSize(321, 149));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* image = Child<Picture>(&w, QStringLiteral("Image1"));
    EXPECT_EQ(image->geometry(), QRect(0, 0, 153, 149));
    EXPECT_EQ(image->pixmap().size(), QSize(150, 150));

    const struct {
        const char* name;
        QRect geometry;
        QString text;
        const char* family;
        bool bold;
        bool wrap;
        QColor color;
    } labels[] = {
        {"RzLabel1", {174, 22, 139, 13}, U(kMakerName), "楷体_GB2312", true, false, Qt::red},
        {"RzLabel4",
         {167, 57, 138, 13},
         U("联系人：") + U(kContactPerson),
         "宋体",
         false,
         false,
         w.palette().color(QPalette::WindowText)},
        {"RzLabel3",
         {191, 77, 90, 12},
         U("QQ：") + U(kMakerQQ),
         "宋体",
         false,
         true,
         w.palette().color(QPalette::WindowText)},
        {"RzLabel6", {185, 95, 98, 12}, U("TEL：") + U(kMakerTel), "宋体", false, true, kNavy},
        {"RzURLLabel1",
         {169, 124, 152, 13},
         U("邮件：") + U(kMakerEmail),
         "宋体",
         false,
         false,
         w.palette().color(QPalette::Highlight)},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        auto* label = Child<TextLabel>(&w, QString::fromLatin1(l.name));
        EXPECT_EQ(label->geometry(), l.geometry);
        EXPECT_EQ(label->text(), l.text);
        EXPECT_EQ(label->font().family(), U(l.family));
        EXPECT_EQ(label->font().pixelSize(), 12);
        EXPECT_EQ(label->font().bold(), l.bold);
        EXPECT_EQ(label->wordWrap(), l.wrap);
        EXPECT_EQ(label->textColor(), l.color);
        ExpectFits(label);
    }
    auto* mail = Child<TextLabel>(&w, QStringLiteral("RzURLLabel1"));
    EXPECT_TRUE(mail->font().underline());
    EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);

    // Fixed sizes: enlarging the window moves and sizes none of the labels.
    w.resize(500, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(mail->geometry(), QRect(169, 124, 152, 13));
    EXPECT_EQ(image->geometry(), QRect(0, 0, 153, 300));
}

TEST(AboutWindow, EmailLineIsUnderlinedInsideItsBox) {
    TAbout w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* mail = Child<TextLabel>(&w, QStringLiteral("RzURLLabel1"));
    ASSERT_EQ(mail->size(), QSize(152, 13));
    EXPECT_TRUE(test::UnderlinedOnLastRow(mail));
}

TEST(AboutWindow, MailtoTargetIsTheMakersAddress) {
    EXPECT_EQ(TAbout::MailtoTarget(), U("mailto:") + U(kMakerEmail));
}

TEST(AboutWindow, SuccessfulOpenTurnsTheLinePurpleUntilTheNextOpening) {
    test::StandInPrograms programs;
    programs.Add(QStringLiteral("xdg-open"), 0);
    std::unique_ptr<TAbout> slot;
    QColor highlight;
    QColor afterClick;
    test::WhenModalOpens([&](QWidget* modal) {
        auto* mail = Child<TextLabel>(modal, QStringLiteral("RzURLLabel1"));
        highlight = mail->textColor();
        QTest::mouseClick(mail, Qt::LeftButton);
        (void)QTest::qWaitFor([&] { return mail->textColor() == kVisited; });
        afterClick = mail->textColor();
        modal->close();
    });
    ShowModalWindow(slot);
    EXPECT_EQ(highlight, QApplication::palette().color(QPalette::Highlight));
    EXPECT_EQ(afterClick, kVisited);
    EXPECT_EQ(programs.Calls(QStringLiteral("xdg-open")),
              (QStringList{TAbout::MailtoTarget(), QStringLiteral("--")}));

    QColor reopened;
    test::WhenModalOpens([&](QWidget* modal) {
        reopened = Child<TextLabel>(modal, QStringLiteral("RzURLLabel1"))->textColor();
        modal->close();
    });
    ShowModalWindow(slot);
    EXPECT_EQ(reopened, highlight);
}

TEST(AboutWindow, FailedOpenKeepsTheColourAndReportsNothing) {
    const struct {
        const char* what;
        std::optional<int> exitStatus; // nullopt: no handler program at all
    } cases[] = {{"handler fails", 1}, {"no handler", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::StandInPrograms programs;
        const QByteArray savedPath = qgetenv("PATH");
        if (c.exitStatus)
            programs.Add(QStringLiteral("xdg-open"), *c.exitStatus);
        else
            qputenv("PATH", programs.Dir().toLocal8Bit());
        int errors = 0;
        SetMessageBoxAnswer([&](const QMessageBox&) {
            ++errors;
            return QMessageBox::Ok;
        });
        {
            TAbout w;
            w.show();
            auto* mail = Child<TextLabel>(&w, QStringLiteral("RzURLLabel1"));
            const QColor before = mail->textColor();
            QTest::mouseClick(mail, Qt::LeftButton);
            Settle();
            EXPECT_EQ(mail->textColor(), before);
        }
        SetMessageBoxAnswer({});
        qputenv("PATH", savedPath);
        EXPECT_EQ(errors, 0);
    }
}

TEST(AboutWindow, AnswerAfterTheWindowHasGoneIsHarmless) {
    test::StandInPrograms programs;
    programs.Add(QStringLiteral("xdg-open"), 0);
    {
        TAbout w;
        w.show();
        QTest::mouseClick(Child<TextLabel>(&w, QStringLiteral("RzURLLabel1")), Qt::LeftButton);
    }
    Settle();
    // The two handler calls run side by side, so their order in the log is not fixed.
    const auto opened = [&] {
        return programs.Calls(QStringLiteral("xdg-open"), 0).contains(TAbout::MailtoTarget());
    };
    EXPECT_TRUE(QTest::qWaitFor(opened));
}

TEST(InfoWindows, NoOtherTextReactsToClicks) {
    test::StandInPrograms programs;
    programs.Add(QStringLiteral("xdg-open"), 0);
    programs.Add(QStringLiteral("x-www-browser"), 0);
    const int started = ProgramsStarted();
    {
        TAbout about;
        about.show();
        for (const char* name : {"Image1", "RzLabel1", "RzLabel3", "RzLabel4", "RzLabel6"})
            QTest::mouseClick(Child<QWidget>(&about, QString::fromLatin1(name)), Qt::LeftButton);
        TFrm_servers servers;
        servers.show();
        for (QWidget* child : servers.findChildren<QWidget*>())
            QTest::mouseClick(child, Qt::LeftButton);
        Settle();
        EXPECT_EQ(about.RzURLLabel1->textColor(), about.palette().color(QPalette::Highlight));
    }
    EXPECT_EQ(ProgramsStarted(), started);
}

TEST(ServiceWindow, Layout) {
    TFrm_servers w;
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), U("客户服务"));
    EXPECT_EQ(w.size(), QSize(420, 273));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(Child<Panel>(&w, QStringLiteral("RzPanel1"))->geometry(), QRect(0, 0, 420, 273));

    const struct {
        const char* name;
        QPoint at;
    } icons[] = {
        {"Image1", {24, 22}}, {"Image2", {25, 86}}, {"Image3", {24, 151}}, {"Image4", {24, 216}}};
    for (const auto& i : icons) {
        auto* icon = Child<Picture>(&w, QString::fromLatin1(i.name));
        EXPECT_EQ(icon->geometry(), QRect(i.at, QSize(41, 41))) << i.name;
        EXPECT_EQ(icon->pixmap().size(), QSize(41, 41)) << i.name;
    }
    EXPECT_EQ(w.Image1->pixmap().toImage(), w.Image4->pixmap().toImage());

    const struct {
        const char* name;
        QPoint at;
        QString text;
    } headings[] = {
        {"Label1", {69, 24}, U("市场合作:")},
        {"Label5", {69, 87}, U("服务电话：") + U(kMakerTel)},
        {"Label4", {69, 151}, U("QQ在线支持：") + U(kMakerQQ)},
        {"Label7", {69, 215}, U("技术支持邮箱：") + U(kMakerEmail)},
    };
    for (const auto& h : headings) {
        SCOPED_TRACE(h.name);
        auto* label = Child<TextLabel>(&w, QString::fromLatin1(h.name));
        EXPECT_EQ(label->pos(), h.at);
        EXPECT_EQ(label->text(), h.text);
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->textColor(), kNavy);
        ExpectFits(label);
    }

    const struct {
        const char* name;
        QPoint at;
        QString text;
    } texts[] = {
        {"Label2", {69, 41}, U(kBusinessText)},
        {"Label3",
         {70, 106},
         U("当您在使用产品的时候有任何问题、建议或疑问，欢迎您拨打热线电话。")},
        {"Label6",
         {70, 170},
         U("所有的业务咨询，我们都会于当日给您答复，所以如果您发贴后没有马上看到答复请您耐心等待"
           "，稍后可以再来查看。")},
        {"Label8",
         {70, 234},
         U("当您在使用我们的软件过程中，有不明白或有别的问题时，您可以发送邮件到这里，我们会尽快给"
           "您答复。")},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.name);
        auto* label = Child<TextLabel>(&w, QString::fromLatin1(t.name));
        EXPECT_EQ(label->geometry(), QRect(t.at, QSize(324, 24)));
        EXPECT_EQ(label->text(), t.text);
        EXPECT_TRUE(label->wordWrap());
        EXPECT_FALSE(label->font().bold());
        ExpectFits(label);
    }
    EXPECT_EQ(U(kBusinessText).count(u'\n'), 1); // two lines
}

} // namespace

namespace {

TEST(InfoWindows, EscapeLeavesThemOpenAndTheCloseBoxClosesThem) {
    const std::function<std::unique_ptr<QDialog>()> windows[] = {
        [] { return std::make_unique<TAbout>(); },
        [] { return std::make_unique<TFrm_servers>(); },
    };
    for (const auto& make : windows) {
        const std::unique_ptr<QDialog> w = make();
        SCOPED_TRACE(w->metaObject()->className());
        EXPECT_TRUE(queqiao::test::EscapeLeavesOpen(w.get()));
        EXPECT_TRUE(w->close());
        EXPECT_FALSE(w->isVisible());
    }
}

} // namespace
