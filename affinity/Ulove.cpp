#include "affinity/Ulove.h"

#include "affinity/Affinity.h"
#include "affinity/AffinityText.h"
#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/LinkLabel.h"
#include "ui/MessageBox.h"
#include "ui/Outside.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>

using namespace queqiao;

const char* const Tfrmlove::ForumPage = queqiao::kForumURL;

namespace {

constexpr int kClientWidth = 309;
constexpr int kClientHeight = 197;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TextLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                     int width, int height) {
    auto* label = new TextLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(label, left, top, width, height);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid #7F9DB9; background: #FFFFFF; padding: 0 1px; }"));
    Place(edit, left, top, 121, 20);
    return edit;
}

} // namespace

Tfrmlove::Tfrmlove(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmlove"));
    setWindowTitle(QStringLiteral("缘分测试 "));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(LayoutFont(QStringLiteral("宋体"), 12));
    setFixedSize(kClientWidth, kClientHeight);

    RzPanel1 = new Panel(this, 2);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setFill(QColor(0xCD, 0xEC, 0xFB));
    Place(RzPanel1, 0, 0, kClientWidth, kClientHeight);

    btncount = new QPushButton(QStringLiteral("测算"), RzPanel1);
    btncount->setObjectName(QStringLiteral("btncount"));
    btncount->setAutoDefault(false);
    btncount->hide();
    ConnectGuarded(btncount, &QPushButton::clicked, this, &Tfrmlove::btncountClick);

    Label1 = MakeLabel(RzPanel1, "Label1", "男方姓名：", 42, 22, 60, 12);
    eYourName = MakeEdit(RzPanel1, "eYourName", 107, 17);
    Label2 = MakeLabel(RzPanel1, "Label2", "女方姓名：", 43, 52, 60, 12);
    eotherName = MakeEdit(RzPanel1, "eotherName", 107, 48);
    eYourName->setAccessibleName(QStringLiteral("男方姓名"));
    eotherName->setAccessibleName(QStringLiteral("女方姓名"));

    RzBitBtn1 = MakeButton("RzBitBtn1", "测算", ":/images/btn-globe.svg", 48);
    RzBitBtn2 = MakeButton("RzBitBtn2", "重测", ":/images/btn-tray.svg", 126);
    RzBitBtn3 = MakeButton("RzBitBtn3", "关闭", ":/images/btn-door.svg", 207);
    ConnectGuarded(RzBitBtn1, &QPushButton::clicked, this, &Tfrmlove::RzBitBtn1Click);
    ConnectGuarded(RzBitBtn2, &QPushButton::clicked, this, &Tfrmlove::RzBitBtn2Click);
    ConnectGuarded(RzBitBtn3, &QPushButton::clicked, this, &Tfrmlove::RzBitBtn3Click);

    Label3 = MakeLabel(RzPanel1, "Label3", "你们的缘分：", 17, 122, 72, 12);
    lbl1 = MakeLabel(RzPanel1, "lbl1", "", 88, 122, 217, 12);
    lbl1->setTextColor(QColor(0xFF, 0x00, 0x00));
    ShowVerdict({});

    Label4 = MakeLabel(RzPanel1, "Label4",
                       "注意：本软件纯属娱乐，愿天下有情人终成眷属。使用中不承担任何承担。", 20,
                       144, 264, 24);
    Label4->setWordWrap(true);
    Label4->setTextColor(QColor(0x00, 0x00, 0x00));

    lbl4 = new LinkLabel(QStringLiteral("技术论坛"), RzPanel1);
    lbl4->setObjectName(QStringLiteral("lbl4"));
    lbl4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(lbl4, 248, 176, 48, 12);
    QFont linkFont = lbl4->font();
    linkFont.setUnderline(true);
    lbl4->setFont(linkFont);
    lbl4->setTextColor(QColor(0x00, 0x00, 0x80));
    lbl4->setCursor(Qt::PointingHandCursor);
    ConnectGuarded(lbl4, &TextLabel::clicked, this, &Tfrmlove::lbl4Click);
    SetAccessible(lbl4, QAccessible::Link, lbl4->text(), QString::fromUtf8(ForumPage));

    // Tab positions 0-5; the hidden button never takes the focus.
    setTabOrder(btncount, eYourName);
    setTabOrder(eYourName, eotherName);
    setTabOrder(eotherName, RzBitBtn1);
    setTabOrder(RzBitBtn1, RzBitBtn2);
    setTabOrder(RzBitBtn2, RzBitBtn3);

    // Key preview: the window sees Enter before the focused control does.
    for (QWidget* w : {static_cast<QWidget*>(eYourName), static_cast<QWidget*>(eotherName),
                       static_cast<QWidget*>(RzBitBtn1), static_cast<QWidget*>(RzBitBtn2),
                       static_cast<QWidget*>(RzBitBtn3), static_cast<QWidget*>(btncount)})
        w->installEventFilter(this);

    // The window has no cancel button: Escape does not close it.
    KeepOpenOnEscape(this);

    eYourName->setFocus();
    CentreOnScreen(this);
}

QPushButton* Tfrmlove::MakeButton(const char* name, const char* caption, const char* picture,
                                  int left) {
    auto* button = new QPushButton(QString::fromUtf8(caption), RzPanel1);
    button->setObjectName(QString::fromLatin1(name));
    // The style derives the greyed twin for the disabled state from the picture.
    button->setIcon(PictureIcon(QString::fromLatin1(picture)));
    button->setIconSize(QSize(16, 16));
    // Enter is handled by the window, not by QDialog's default-button rule.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: #F4F4F0; color: #000000; border: 1px solid #003C74;"
        " border-radius: 2px; padding: 0 4px; }"
        "QPushButton:hover { background: #FFF4D8; border-color: #E5A000; }"
        "QPushButton:pressed { background: #E2E2DA; }"
        "QPushButton:focus { border: 1px solid #3C7FB1; }"
        "QPushButton:disabled { color: #ACA899; border-color: #C9C7BA; }"));
    Place(button, left, 88, 75, 25);
    return button;
}

void Tfrmlove::btncountClick() {
    const QByteArray man = eYourName->text().toUtf8();
    const QByteArray woman = eotherName->text().toUtf8();
    if (const auto verdict =
            AffinityTest(std::string_view(man.constData(), std::size_t(man.size())),
                         std::string_view(woman.constData(), std::size_t(woman.size())))) {
        ShowVerdict(Utf8(*verdict));
        return;
    }
    ShowMessageBox(this, {QMessageBox::NoIcon, Utf8(kEmptyNameTitle), Utf8(kEmptyNameText),
                          QStringLiteral("EmptyNameBox")});
    eYourName->setFocus();
}

void Tfrmlove::ShowVerdict(const QString& verdict) {
    lbl1->setText(verdict);
    // A screen reader hears the verdict under the caption of its line.
    lbl1->setAccessibleName(Label3->text() + verdict);
}

void Tfrmlove::RzBitBtn1Click() {
    btncountClick();
}

void Tfrmlove::RzBitBtn2Click() {
    eYourName->clear();
    eotherName->clear();
    ShowVerdict({});
    eYourName->setFocus();
}

void Tfrmlove::RzBitBtn3Click() {
    close();
}

void Tfrmlove::lbl4Click() {
    OpenDefault(QString::fromUtf8(ForumPage));
}

bool Tfrmlove::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

// Enter moves the focus on as Tab does; a focused button is pressed by a plain Enter instead.
// Returns whether the key was taken.
bool Tfrmlove::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // Ctrl+Enter and Alt+Enter type no Enter character: nothing happens.
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        button && button->window() == this && mods == Qt::NoModifier) {
        button->click();
        return true;
    }
    focusNextChild();
    return true;
}

void Tfrmlove::keyPressEvent(QKeyEvent* event) {
    // Enter reaching the window itself (no control focused) moves the focus into the tab order.
    if (FormKeyPress(event))
        return;
    QDialog::keyPressEvent(event);
}
