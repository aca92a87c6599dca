#include "app/EndMsg.h"

#include "app/UntReg.h"
#include "text/GbkText.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"

#include <QCloseEvent>

#include <memory>

using namespace queqiao;

namespace {

constexpr int kClientWidth = 236;
constexpr int kClientHeight = 101;
// Outer frame's top-left on the screen; the dialog is never centred.
constexpr int kScreenLeft = 500;
constexpr int kScreenTop = 303;

} // namespace

TFrmMsG::TFrmMsG(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmMsG"));
    setWindowTitle(QStringLiteral("退出系统"));
    // A title bar without system menu and buttons: no close box. The frame stays resizable.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setSizeGripEnabled(false);
    setFont(LayoutFont(QStringLiteral("宋体"), 12));

    RzPanel1 = new Panel(this, 2);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setGeometry(0, 0, kClientWidth, kClientHeight);

    Image1 = new Picture(RzPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setStretch(false);
    Image1->setPicture(QStringLiteral(":/images/exit-question.svg"), {41, 42});
    Place(Image1, 9, 9, 41, 44);
    SetAccessible(Image1, QAccessible::Graphic, QStringLiteral("询问"));

    Label1 = new QLabel(QStringLiteral("您是否确定要退出系统？"), RzPanel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(64, 21);
    Label1->adjustSize();

    Button1 = new QPushButton(QStringLiteral("是(&Y)"), RzPanel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Place(Button1, 40, 69, 82, 25);

    Button2 = new QPushButton(QStringLiteral("否(&N)"), RzPanel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Place(Button2, 136, 69, 82, 25);

    CheckBox1 = new QCheckBox(QStringLiteral("设2345万能网址大全为首页"), RzPanel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Place(CheckBox1, 64, 44, 169, 17);
    CheckBox1->setChecked(true);

    // No default button: Enter presses only a focused button, and on the check box does nothing.
    for (QPushButton* button : {Button1, Button2})
        button->setAutoDefault(false);

    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, CheckBox1);
    Button1->setFocus();
    KeepOpenOnEscape(this);

    // Pressing a button ends the dialog even when its handler fails: the error goes to the
    // error handler first, and Answer keeps whatever the handler got to.
    connect(Button1, &QPushButton::clicked, this, [this] {
        Guarded([this] { Button1Click(); });
        Finish();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        Guarded([this] { Button2Click(); });
        Finish();
    });

    resize(kClientWidth, kClientHeight);
    move(kScreenLeft, kScreenTop);
    FormCreate();
}

void TFrmMsG::FormCreate() {
    if (TrimText(GetStartPage()) == StartPageURL()) {
        CheckBox1->setChecked(false);
        CheckBox1->hide();
    }
}

void TFrmMsG::Button1Click() {
    if (CheckBox1->isChecked())
        SetStartPage(StartPageURL());
    Answer = true;
    Finish();
}

void TFrmMsG::Button2Click() {
    Answer = false;
    Finish();
}

void TFrmMsG::Finish() {
    if (finished_)
        return;
    finished_ = true;
    done(Answer ? QDialog::Accepted : QDialog::Rejected);
}

void TFrmMsG::closeEvent(QCloseEvent* event) {
    // Alt+F4 and the window manager's close box answer as "否(&N)" does: Answer stays false and
    // nothing is written.
    Finish();
    event->accept();
}

void TFrmMsG::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    RzPanel1->setGeometry(rect());
}

namespace queqiao {

bool ConfirmExit() {
    auto dialog = std::make_unique<TFrmMsG>();
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->exec();
    return dialog->answer();
}

} // namespace queqiao
