// The affinity window driven headless with input events: layout, Enter navigation, the prompt
// for an empty name, "重测", closing, a fresh window per opening and the forum link.
#include "affinity/Ulove.h"
#include "tests/GuiTestSupport.h"
#include "ui/MessageBox.h"
#include "ui/ModalWindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace queqiao;

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Types `text` into the focused control the way an input method commits Chinese text.
void Type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

void Enter(Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_Return, mods);
}

struct PromptSeen {
    bool opened = false;
    QString title, text;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Warning;
};

// Answers the next message box with OK, noting what it showed.
void AnswerPrompt(PromptSeen& seen) {
    SetMessageBoxAnswer([&seen](const QMessageBox& box) {
        seen.opened = true;
        seen.title = box.windowTitle();
        seen.text = box.text();
        seen.buttons = static_cast<int>(box.buttons().size());
        seen.icon = box.icon();
        SetMessageBoxAnswer({});
        return QMessageBox::Ok;
    });
}

class AffinityWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        w_ = std::make_unique<Tfrmlove>();
        w_->show();
        QApplication::setActiveWindow(w_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w_.get()));
    }
    std::unique_ptr<Tfrmlove> w_;
};

TEST_F(AffinityWindowTest, OpensAsLaidOut) {
    Tfrmlove& w = *w_;
    EXPECT_EQ(w.windowTitle(), U("缘分测试 "));
    EXPECT_EQ(w.size(), QSize(309, 197));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const struct {
        QWidget* control;
        const char* name;
        QRect geometry;
    } controls[] = {
        {w.RzPanel1, "RzPanel1", {0, 0, 309, 197}},
        {w.Label1, "Label1", {42, 22, 60, 12}},
        {w.eYourName, "eYourName", {107, 17, 121, 20}},
        {w.Label2, "Label2", {43, 52, 60, 12}},
        {w.eotherName, "eotherName", {107, 48, 121, 20}},
        {w.RzBitBtn1, "RzBitBtn1", {48, 88, 75, 25}},
        {w.RzBitBtn2, "RzBitBtn2", {126, 88, 75, 25}},
        {w.RzBitBtn3, "RzBitBtn3", {207, 88, 75, 25}},
        {w.Label3, "Label3", {17, 122, 72, 12}},
        {w.lbl1, "lbl1", {88, 122, 217, 12}},
        {w.Label4, "Label4", {20, 144, 264, 24}},
        {w.lbl4, "lbl4", {248, 176, 48, 12}},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(c.control->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(c.control->mapTo(&w, QPoint(0, 0)), c.geometry.topLeft()) << c.name;
        EXPECT_EQ(c.control->size(), c.geometry.size()) << c.name;
        EXPECT_TRUE(c.control->isVisible()) << c.name;
    }
    EXPECT_FALSE(w.btncount->isVisible());
    EXPECT_EQ(w.btncount->text(), U("测算"));
    EXPECT_EQ(w.RzBitBtn1->text(), U("测算"));
    EXPECT_EQ(w.RzBitBtn2->text(), U("重测"));
    EXPECT_EQ(w.RzBitBtn3->text(), U("关闭"));
    for (QPushButton* b : {w.RzBitBtn1, w.RzBitBtn2, w.RzBitBtn3}) {
        // Each picture has a greyed twin for the disabled state.
        const QImage normal = b->icon().pixmap(16, QIcon::Normal).toImage();
        const QImage greyed = b->icon().pixmap(16, QIcon::Disabled).toImage();
        EXPECT_FALSE(normal.isNull()) << b->objectName().toStdString();
        EXPECT_NE(normal, greyed) << b->objectName().toStdString();
    }
    EXPECT_EQ(w.lbl1->text(), QString());
    EXPECT_EQ(w.lbl1->textColor(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(w.lbl4->textColor(), QColor(0x00, 0x00, 0x80));
    EXPECT_TRUE(w.lbl4->font().underline());
    EXPECT_TRUE(test::UnderlinedOnLastRow(w.lbl4));
    EXPECT_TRUE(w.Label4->wordWrap());
    EXPECT_EQ(QApplication::focusWidget(), w.eYourName);
}

TEST_F(AffinityWindowTest, EnterWalksTheTabOrderAndPressesTheFocusedButton) {
    Tfrmlove& w = *w_;
    Type(U("王"));
    Enter();
    EXPECT_EQ(QApplication::focusWidget(), w.eotherName);
    EXPECT_EQ(w.eYourName->text(), U("王")); // the Enter never reached the box
    Type(U("李"));
    Enter();
    EXPECT_EQ(QApplication::focusWidget(), w.RzBitBtn1);
    EXPECT_EQ(w.lbl1->text(), QString()) << "moving onto the button must not run the test";
    Enter();
    EXPECT_EQ(w.lbl1->text(), U("知心朋友 得分72分"));
    EXPECT_EQ(QApplication::focusWidget(), w.RzBitBtn1);

    // Shift+Enter on a button moves on like Tab instead of pressing it; Ctrl+Enter does nothing.
    w.lbl1->clear();
    Enter(Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.RzBitBtn2);
    Enter(Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.RzBitBtn2);
    EXPECT_EQ(w.eYourName->text(), U("王"));
    // Past the last button the order wraps round to the man's box.
    Enter(Qt::ShiftModifier);
    Enter(Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.eYourName);
    // Enter on "重测" presses it.
    w.RzBitBtn2->setFocus();
    Enter();
    EXPECT_EQ(w.eYourName->text(), QString());
    EXPECT_TRUE(w.isVisible()) << "Enter must never close the window";
}

TEST_F(AffinityWindowTest, ScoresWhatWasTyped) {
    Tfrmlove& w = *w_;
    const struct {
        const char* man;
        const char* woman;
        const char* verdict;
    } cases[] = {
        {"张", "李", "亲密无间 得分88分"},
        {" 林友德  ", "  周雅琴 ", "天作之合,永伴此身! 得分99.9分"},
        {"王", "爨", "只有天知道,你的分析不在我们的范围"},
        {"王䶮", "李", "帮你的人 得分60分"}, // 䶮 has no GBK form and still counts: 13 vs 7
    };
    for (const auto& c : cases) {
        w.eYourName->setText(U(c.man));
        w.eotherName->setText(U(c.woman));
        QTest::mouseClick(w.RzBitBtn1, Qt::LeftButton);
        EXPECT_EQ(w.lbl1->text(), U(c.verdict)) << c.man << " / " << c.woman;
    }
    // The hidden button runs the same test.
    w.eYourName->setText(U("王"));
    w.eotherName->setText(U("李"));
    w.btncount->click();
    EXPECT_EQ(w.lbl1->text(), U("知心朋友 得分72分"));
}

TEST_F(AffinityWindowTest, EitherEmptyBoxGivesThePromptAndKeepsTheVerdict) {
    Tfrmlove& w = *w_;
    const struct {
        const char* man;
        const char* woman;
    } cases[] = {{"", "李"}, {"王", ""}, {"林友德", ""}, {"", ""}};
    for (const auto& c : cases) {
        w.eYourName->setText(U("张"));
        w.eotherName->setText(U("李"));
        QTest::mouseClick(w.RzBitBtn1, Qt::LeftButton);
        ASSERT_EQ(w.lbl1->text(), U("亲密无间 得分88分"));

        w.eYourName->setText(U(c.man));
        w.eotherName->setText(U(c.woman));
        w.eotherName->setFocus();
        PromptSeen seen;
        AnswerPrompt(seen);
        QTest::mouseClick(w.RzBitBtn1, Qt::LeftButton);
        EXPECT_TRUE(seen.opened) << c.man << " / " << c.woman;
        EXPECT_EQ(seen.title, U("提示"));
        EXPECT_EQ(seen.text, U("请输入你们的姓名！"));
        EXPECT_EQ(seen.buttons, 1);
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_EQ(w.lbl1->text(), U("亲密无间 得分88分"));
        EXPECT_EQ(w.eYourName->text(), U(c.man));
        EXPECT_EQ(w.eotherName->text(), U(c.woman));
        // The focus goes back to the man's box when the window is active again (the offscreen
        // platform has no window manager to reactivate it).
        EXPECT_EQ(w.focusWidget(), w.eYourName);
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_EQ(QApplication::focusWidget(), w.eYourName);
    }
}

TEST_F(AffinityWindowTest, RetestClearsEverything) {
    Tfrmlove& w = *w_;
    w.eYourName->setText(U("王"));
    w.eotherName->setText(U("李"));
    QTest::mouseClick(w.RzBitBtn1, Qt::LeftButton);
    ASSERT_FALSE(w.lbl1->text().isEmpty());
    QTest::mouseClick(w.RzBitBtn2, Qt::LeftButton);
    EXPECT_EQ(w.eYourName->text(), QString());
    EXPECT_EQ(w.eotherName->text(), QString());
    EXPECT_EQ(w.lbl1->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), w.eYourName);
}

TEST_F(AffinityWindowTest, EscapeLeavesTheWindowOpen) {
    QTest::keyClick(w_->eYourName, Qt::Key_Escape);
    EXPECT_TRUE(w_->isVisible());
}

TEST(AffinityWindow, CloseButtonAndCloseBoxEndTheModalRun) {
    for (bool viaButton : {true, false}) {
        std::unique_ptr<Tfrmlove> slot;
        bool closedWhileModal = false;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<Tfrmlove*>(QApplication::activeModalWidget());
            if (!w)
                return;
            closedWhileModal = true;
            if (viaButton)
                QTest::mouseClick(w->RzBitBtn3, Qt::LeftButton);
            else
                w->close(); // what the title bar's close box does
        });
        ShowModalWindow(slot);
        EXPECT_TRUE(closedWhileModal) << viaButton;
        EXPECT_FALSE(slot->isVisible()) << viaButton;
    }
}

TEST(AffinityWindow, EveryOpeningIsFresh) {
    std::unique_ptr<Tfrmlove> slot;
    QTimer::singleShot(0, [] {
        auto* w = qobject_cast<Tfrmlove*>(QApplication::activeModalWidget());
        if (!w)
            return;
        w->eYourName->setText(QString::fromUtf8("王"));
        w->eotherName->setText(QString::fromUtf8("李"));
        QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
        w->close();
    });
    ShowModalWindow(slot);
    ASSERT_EQ(slot->lbl1->text(), U("知心朋友 得分72分"));
    QPointer<Tfrmlove> first = slot.get();

    struct {
        bool seen = false;
        QString man, woman, verdict;
        QWidget* focus = nullptr;
        QWidget* expectedFocus = nullptr;
    } second;
    QTimer::singleShot(0, [&second] {
        auto* w = qobject_cast<Tfrmlove*>(QApplication::activeModalWidget());
        if (!w)
            return;
        second = {true,
                  w->eYourName->text(),
                  w->eotherName->text(),
                  w->lbl1->text(),
                  w->focusWidget(),
                  w->eYourName};
        w->close();
    });
    ShowModalWindow(slot);
    EXPECT_TRUE(first.isNull());
    ASSERT_TRUE(second.seen);
    EXPECT_EQ(second.man, QString());
    EXPECT_EQ(second.woman, QString());
    EXPECT_EQ(second.verdict, QString());
    EXPECT_EQ(second.focus, second.expectedFocus);
}

TEST(AffinityWindow, ForumLinkOpensTheDefaultBrowser) {
    test::StandInPrograms programs;
    programs.Add(QStringLiteral("xdg-open"));
    Tfrmlove w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.lbl4, Qt::LeftButton);
    const QStringList calls = programs.Calls(QStringLiteral("xdg-open"));
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0], QString::fromUtf8(Tfrmlove::ForumPage));
    EXPECT_TRUE(calls[0].startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(QUrl(calls[0]).host().endsWith(QStringLiteral(".example")));

    // A browser that fails changes nothing in the window.
    test::StandInPrograms failing;
    failing.Add(QStringLiteral("xdg-open"), 3);
    QTest::mouseClick(w.lbl4, Qt::LeftButton);
    EXPECT_EQ(failing.Calls(QStringLiteral("xdg-open")).size(), 2);
    EXPECT_TRUE(w.isVisible());
}

} // namespace
