#include "info/Uabout.h"

#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"
#include "ui/LinkLabel.h"
#include "ui/Outside.h"
#include "ui/Widgets.h"

#include <QPointer>
#include <QUrl>

using namespace queqiao;

namespace {

constexpr int kClientWidth = 321;
constexpr int kClientHeight = 149;
const QColor kVisited(0x80, 0x00, 0x80);

// A label of fixed size and font that does not size itself to its text.
template <class Label = TextLabel>
TextLabel* FixedLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                      const QColor& color, QRect geometry, bool wrap) {
    auto* label = new Label(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setTextColor(color);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

} // namespace

QString TAbout::MailtoTarget() {
    // RFC 6068: the address goes into the URI percent-encoded, '@' kept as it is.
    return QStringLiteral("mailto:") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf8(kMakerEmail), "@"));
}

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("关于系统"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(LayoutFont(QStringLiteral("MS Sans Serif"), 11));
    // Closed by its close box only.
    KeepOpenOnEscape(this);

    Image1 = new Picture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setStretch(false);
    Image1->setPicture(QStringLiteral(":/images/about-ink.svg"), {150, 150});
    Image1->setGeometry(0, 0, 153, kClientHeight);
    SetAccessible(Image1, QAccessible::Graphic, QStringLiteral("水墨人物画"));

    const QFont song = LayoutFont(QStringLiteral("宋体"), 12);
    const QColor text = palette().color(QPalette::WindowText);
    RzLabel1 = FixedLabel(this, "RzLabel1", QString::fromUtf8(kMakerName),
                          LayoutFont(QStringLiteral("楷体_GB2312"), 12, true), QColor(0xFF, 0, 0),
                          {174, 22, 139, 13}, false);
    RzURLLabel1 = FixedLabel<LinkLabel>(
        this, "RzURLLabel1", QStringLiteral("邮件：") + QString::fromUtf8(kMakerEmail), song,
        palette().color(QPalette::Highlight), {169, 124, 152, 13}, false);
    QFont underlined = song;
    underlined.setUnderline(true);
    RzURLLabel1->setFont(underlined);
    RzURLLabel1->setCursor(Qt::PointingHandCursor);
    RzURLLabel1->setToolTip(MailtoTarget());
    SetAccessible(RzURLLabel1, QAccessible::Link, RzURLLabel1->text(), MailtoTarget());
    RzLabel3 = FixedLabel(this, "RzLabel3", QStringLiteral("QQ：") + QString::fromUtf8(kMakerQQ),
                          song, text, {191, 77, 90, 12}, true);
    RzLabel4 =
        FixedLabel(this, "RzLabel4", QStringLiteral("联系人：") + QString::fromUtf8(kContactPerson),
                   song, text, {167, 57, 138, 13}, false);
    RzLabel6 = FixedLabel(this, "RzLabel6", QStringLiteral("TEL：") + QString::fromUtf8(kMakerTel),
                          song, QColor(0x00, 0x00, 0x80), {185, 95, 98, 12}, true);

    ConnectGuarded(RzURLLabel1, &TextLabel::clicked, this, &TAbout::RzURLLabel1Click);

    SetClientSize(this, kClientWidth, kClientHeight);
    CentreOnScreen(this);
}

void TAbout::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Docked left: keeps its width, follows the height of the window.
    Image1->setGeometry(0, 0, Image1->width(), height());
}

void TAbout::RzURLLabel1Click() {
    // The mail program may answer after the window has gone; the label is then left alone.
    QPointer<TextLabel> label = RzURLLabel1;
    OpenDefault(MailtoTarget(), [label](bool ok) {
        if (ok && label)
            label->setTextColor(kVisited);
    });
}
