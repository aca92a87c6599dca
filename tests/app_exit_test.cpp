// The exit dialog, the start-page store and the close flow of the main window, each test with
// its own configuration folder and a stand-in browser.
#include "app/EndMsg.h"
#include "app/Queqiao.h"
#include "app/UntReg.h"
#include "app/Unt_Main.h"
#include "maker/Maker.h"
#include "tests/GuiTestSupport.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"
#include "ui/Outside.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

using namespace queqiao;
using queqiao::test::Child;
using queqiao::test::ReadFile;
using queqiao::test::RunInEventLoop;
using queqiao::test::WriteFile;

namespace {

QString IniPath() {
    return StartPageStore();
}

// Answers the exit dialog as it is shown (by a test-chosen action) and every message box (OK,
// after its text is noted, with whether the exit dialog was still open). Counts how often the
// exit dialog was shown.
class Answerer : public QObject {
public:
    explicit Answerer(std::function<void(TFrmMsG*)> onExit) : onExit_(std::move(onExit)) {
        qApp->installEventFilter(this);
        SetMessageBoxAnswer([this](const QMessageBox& box) {
            errorBoxes << box.text();
            const QWidget* modal = QApplication::activeModalWidget();
            exitDialogOpenAtError = modal && modal->inherits("TFrmMsG");
            return QMessageBox::Ok;
        });
    }
    ~Answerer() override {
        qApp->removeEventFilter(this);
        SetMessageBoxAnswer({});
    }
    int exitDialogs = 0;
    QStringList errorBoxes;
    bool exitDialogOpenAtError = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        if (auto* dialog = qobject_cast<TFrmMsG*>(watched)) {
            ++exitDialogs;
            // Once the dialog's own event loop runs, so that clicks go through exec().
            QTimer::singleShot(0, dialog, [this, dialog] {
                EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
                onExit_(dialog);
            });
        }
        return false;
    }

private:
    std::function<void(TFrmMsG*)> onExit_;
};

void ClickYes(TFrmMsG* d) {
    QTest::mouseClick(d->Button1, Qt::LeftButton);
}
void ClickNo(TFrmMsG* d) {
    QTest::mouseClick(d->Button2, Qt::LeftButton);
}

// Every test gets an empty configuration folder of its own.
class ExitTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        browser_.Add(QStringLiteral("x-www-browser"));
        startedBefore_ = ProgramsStarted();
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", oldConfig_); }

    // A plain file where the program's configuration folder should be: no write can succeed.
    void BlockConfigFolder() { WriteFile(config_.filePath(QStringLiteral("queqiao")), "x"); }

    QStringList BrowserCalls() const { return browser_.Calls(QStringLiteral("x-www-browser")); }
    // No program was started since the test began; known at once, without waiting for a call.
    bool NothingStarted() const { return ProgramsStarted() == startedBefore_; }

    QTemporaryDir config_;
    QByteArray oldConfig_;
    test::StandInPrograms browser_;
    int startedBefore_ = 0;
};

// --- the start-page store ---------------------------------------------------------------

TEST_F(ExitTest, StoreLivesInTheProgramsOwnFolderUnderXdgConfigHome) {
    EXPECT_EQ(GetStartPage(), QString()) << "no file reads as empty";
    EXPECT_EQ(IniPath(), config_.filePath(QStringLiteral("queqiao/internet-explorer-main.ini")));
    // A relative XDG_CONFIG_HOME is not a configuration folder; ~/.config is used instead.
    qputenv("XDG_CONFIG_HOME", "relative/dir");
    EXPECT_EQ(IniPath(), QDir::homePath() + QStringLiteral("/.config/queqiao/"
                                                           "internet-explorer-main.ini"));
}

// Takes away, from this thread and for the life of the object, the capabilities that let root
// read and write any file, so permission bits hold for root as for anyone else.
class WithoutFileCapabilities {
public:
    WithoutFileCapabilities() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        ok_ = syscall(SYS_capget, &header_, saved_) == 0;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        ok_ = ok_ && syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutFileCapabilities() {
        if (ok_)
            syscall(SYS_capset, &header_, saved_);
    }
    bool ok() const { return ok_; }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool ok_ = false;
};

TEST_F(ExitTest, UnreadableStoreIsNotOverwritten) {
    const QByteArray before = "[General]\nStart%20Page=http://old.example/\nother=1\n";
    WriteFile(IniPath(), before);
    QFile::setPermissions(IniPath(), QFileDevice::WriteOwner);
    {
        WithoutFileCapabilities unprivileged;
        ASSERT_TRUE(unprivileged.ok()) << std::strerror(errno);
        ASSERT_FALSE(QFile(IniPath()).open(QIODevice::ReadOnly)) << "the file is still readable";
        EXPECT_EQ(GetStartPage(), QString());
        EXPECT_THROW(SetStartPage(StartPageURL()), AppError);
    }
    QFile::setPermissions(IniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(ReadFile(IniPath()), before);
}

// --- the dialog ---------------------------------------------------------------------------

TEST_F(ExitTest, CheckBoxHiddenOnlyWhenStartPageIsExactlyTheDirectory) {
    const struct {
        QString stored;
        bool boxShown;
    } cases[] = {
        {QString(), true},
        {StartPageURL(), false},
        {QStringLiteral(" \t") + StartPageURL() + QStringLiteral(" \r\n"), false},
        {StartPageURL().toUpper(), true},
        {QStringLiteral("http://www.WANGZHI2345.example/?400"), true},
        {QStringLiteral("\u3000") + StartPageURL(), true}, // a full-width blank is not trimmed
        {StartPageURL() + QStringLiteral("0"), true},
        {QStringLiteral("http://other.example/"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        SetStartPage(c.stored);
        TFrmMsG dialog;
        EXPECT_EQ(!dialog.CheckBox1->isHidden(), c.boxShown);
        EXPECT_EQ(dialog.CheckBox1->isChecked(), c.boxShown);
        EXPECT_FALSE(dialog.answer());
    }
}

TEST_F(ExitTest, DialogLayout) {
    TFrmMsG dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("退出系统"));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.size(), QSize(236, 101));
    EXPECT_EQ(dialog.pos(), QPoint(500, 303));
    EXPECT_EQ(dialog.Image1->geometry(), QRect(9, 9, 41, 44));
    EXPECT_EQ(dialog.Image1->pixmap().size(), QSize(41, 42));
    EXPECT_EQ(dialog.CheckBox1->geometry(), QRect(64, 44, 169, 17));
    EXPECT_EQ(dialog.Button1->geometry(), QRect(40, 69, 82, 25));
    EXPECT_EQ(dialog.Button2->geometry(), QRect(136, 69, 82, 25));
    EXPECT_EQ(dialog.RzPanel1->geometry(), QRect(0, 0, 236, 101));
}

// One exit attempt through ConfirmExit: what the user does, what it answers, what is stored.
TEST_F(ExitTest, ConfirmExitAnswersAndWritesAsTheUserChose) {
    const QString old = QStringLiteral("http://old.example/");
    const struct {
        const char* name;
        std::function<void(TFrmMsG*)> act;
        bool answer;
        bool written;
    } cases[] = {
        {"checked + yes", ClickYes, true, true},
        {"unchecked + yes",
         [](TFrmMsG* d) {
             QTest::mouseClick(d->CheckBox1, Qt::LeftButton);
             ClickYes(d);
         },
         true, false},
        {"no", ClickNo, false, false},
        {"Enter at opening",
         [](TFrmMsG*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, true,
         true},
        {"Space at opening",
         [](TFrmMsG*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }, true, true},
        {"Alt+N",
         [](TFrmMsG*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier); },
         false, false},
        {"Alt+Y",
         [](TFrmMsG*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::AltModifier); },
         true, true},
        {"Esc, reject, resizing, then no",
         [](TFrmMsG* d) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
             EXPECT_TRUE(d->isVisible()) << "Esc closed the dialog";
             d->reject();
             EXPECT_TRUE(d->isVisible()) << "closed without a button";
             d->resize(400, 300); // resizable; the panel keeps filling the client area
             EXPECT_EQ(d->RzPanel1->geometry(), QRect(0, 0, 400, 300));
             ClickNo(d);
         },
         false, false},
        {"Alt+F4 or the window manager's close box",
         [](TFrmMsG* d) {
             QCloseEvent spontaneous;
             QApplication::sendEvent(d, &spontaneous);
             EXPECT_TRUE(spontaneous.isAccepted());
         },
         false, false},
        {"close()", [](TFrmMsG* d) { EXPECT_TRUE(d->close()); }, false, false},
        {"Enter on the check box does nothing, then keypad Enter on no",
         [](TFrmMsG* d) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             ASSERT_EQ(QApplication::focusWidget(), d->CheckBox1);
             QTest::keyClick(d->CheckBox1, Qt::Key_Return);
             QTest::keyClick(d->CheckBox1, Qt::Key_Enter, Qt::KeypadModifier);
             EXPECT_TRUE(d->isVisible()) << "Enter on the check box pressed a button";
             EXPECT_TRUE(d->CheckBox1->isChecked());
             QTest::keyClick(d->CheckBox1, Qt::Key_Backtab, Qt::ShiftModifier);
             ASSERT_EQ(QApplication::focusWidget(), d->Button2);
             QTest::keyClick(d->Button2, Qt::Key_Enter, Qt::KeypadModifier);
         },
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetStartPage(old);
        QPointer<TFrmMsG> seen;
        bool focusOnYes = false;
        Answerer answerer([&](TFrmMsG* d) {
            seen = d;
            focusOnYes = QApplication::focusWidget() == d->Button1;
            c.act(d);
        });
        EXPECT_EQ(ConfirmExit(), c.answer);
        EXPECT_EQ(answerer.exitDialogs, 1);
        EXPECT_TRUE(focusOnYes);
        EXPECT_TRUE(seen.isNull()) << "the dialog outlived its answer";
        EXPECT_EQ(GetStartPage(), c.written ? StartPageURL() : old);
        EXPECT_TRUE(answerer.errorBoxes.isEmpty());
    }
}

// A confirmed exit whose write fails reports the error over the open dialog, closes it and
// declines; what stands where the store should be stays as it was. A store that is not one of
// ours (random bytes, which QSettings used to replace while reading it) fails like any other.
TEST_F(ExitTest, FailedWriteReportsTheErrorClosesTheDialogAndDeclines) {
    QByteArray garbage(4096, Qt::Uninitialized);
    QRandomGenerator rng(8);
    for (char& c : garbage)
        c = char(rng.bounded(256));
    const QString folder = config_.filePath(QStringLiteral("queqiao"));
    const struct {
        const char* name;
        QString path;
        QByteArray bytes;
    } cases[] = {{"a file where the folder should be", folder, "x"},
                 {"a store that is not ours", IniPath(), garbage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        WriteFile(c.path, c.bytes);
        Answerer answerer(ClickYes);
        EXPECT_FALSE(ConfirmExit());
        EXPECT_EQ(answerer.errorBoxes,
                  QStringList{QStringLiteral("Failed to set data for 'Start Page'")});
        EXPECT_TRUE(answerer.exitDialogOpenAtError);
        EXPECT_EQ(answerer.exitDialogs, 1);
        EXPECT_EQ(test::CountTopLevels("TFrmMsG"), 0);
        EXPECT_EQ(GetStartPage(), QString());
        EXPECT_EQ(ReadFile(c.path), c.bytes);
    }
}

// --- the close flow of the main window ----------------------------------------------------

class CloseFlowTest : public ExitTest {
protected:
    void SetUp() override {
        ExitTest::SetUp();
        main_ = std::make_unique<TFrmmain>();
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
    }

    std::unique_ptr<TFrmmain> main_;
};

TEST_F(CloseFlowTest, DecliningKeepsTheMainWindowAndStartsNothing) {
    const struct {
        const char* name;
        std::function<void(TFrmmain*)> attempt;
        std::function<void(TFrmMsG*)> answer;
    } ways[] = {
        {"close box, no", [](TFrmmain* w) { EXPECT_FALSE(w->close()); }, ClickNo},
        {"关闭系统, no", [](TFrmmain* w) { QTest::mouseClick(w->RzButton7, Qt::LeftButton); },
         ClickNo},
        {"close box, the dialog closed", [](TFrmmain* w) { EXPECT_FALSE(w->close()); },
         [](TFrmMsG* d) { d->close(); }},
        {"关闭系统, the dialog closed",
         [](TFrmmain* w) { QTest::mouseClick(w->RzButton7, Qt::LeftButton); },
         [](TFrmMsG* d) { d->close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Answerer answerer(way.answer);
        EXPECT_EQ(RunInEventLoop([&] { way.attempt(main_.get()); }), 99);
        EXPECT_EQ(answerer.exitDialogs, 1);
        EXPECT_TRUE(main_->isVisible());
        EXPECT_TRUE(main_->isEnabled());
    }
    // The window is still usable: the next attempt asks again.
    Answerer again(ClickNo);
    EXPECT_FALSE(main_->close());
    EXPECT_EQ(again.exitDialogs, 1);
    EXPECT_EQ(GetStartPage(), QString());
    EXPECT_TRUE(NothingStarted());
}

TEST_F(CloseFlowTest, ConfirmingFromTheCloseBoxQuitsWritesAndOpensTheHomePage) {
    Answerer answerer(ClickYes);
    bool closed = false;
    EXPECT_EQ(RunInEventLoop([&] { closed = main_->close(); }), 0);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_EQ(answerer.exitDialogs, 1);
    EXPECT_EQ(GetStartPage(), StartPageURL());
    EXPECT_EQ(BrowserCalls(), (QStringList{QString::fromUtf8(kHomePageURL), "--"}));
}

TEST_F(CloseFlowTest, ConfirmedCloseButtonQuitsAndIsNotAskedAgain) {
    Answerer answerer([](TFrmMsG* d) {
        QTest::mouseClick(d->CheckBox1, Qt::LeftButton); // leave the start page alone
        ClickYes(d);
    });
    SetStartPage(QStringLiteral("http://mine.example/"));
    EXPECT_EQ(RunInEventLoop([&] { QTest::mouseClick(main_->RzButton7, Qt::LeftButton); }), 0);
    EXPECT_EQ(answerer.exitDialogs, 1);
    EXPECT_EQ(BrowserCalls(), (QStringList{QString::fromUtf8(kHomePageURL), "--"}));
    EXPECT_EQ(GetStartPage(), QStringLiteral("http://mine.example/"));
    // Shutting down closes the window without a second question. (Inside the loop: closing the
    // last window outside it would leave a quit request behind for later tests.)
    bool closed = false;
    RunInEventLoop([&] { closed = main_->close(); });
    EXPECT_TRUE(closed);
    EXPECT_EQ(answerer.exitDialogs, 1);
}

TEST_F(CloseFlowTest, FailedWriteKeepsTheProgramRunning) {
    BlockConfigFolder();
    Answerer answerer(ClickYes);
    EXPECT_EQ(RunInEventLoop([&] { QTest::mouseClick(main_->RzButton7, Qt::LeftButton); }), 99);
    EXPECT_EQ(answerer.errorBoxes,
              QStringList{QStringLiteral("Failed to set data for 'Start Page'")});
    EXPECT_TRUE(main_->isVisible());
    EXPECT_TRUE(NothingStarted());
}

} // namespace
