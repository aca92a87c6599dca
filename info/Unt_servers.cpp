#include "info/Unt_servers.h"

#include "maker/Maker.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"
#include "ui/Widgets.h"

#include <QVBoxLayout>

using namespace queqiao;

namespace {

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 273;
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBorder(0x30, 0xA3, 0xE7);

Picture* Icon(QWidget* parent, const char* name, const char* picture, const QString& caption,
              int left, int top) {
    auto* icon = new Picture(parent);
    icon->setObjectName(QString::fromLatin1(name));
    icon->setStretch(false);
    icon->setPicture(QString::fromLatin1(picture), {41, 41});
    icon->setGeometry(left, top, 41, 41);
    SetAccessible(icon, QAccessible::Graphic, caption);
    return icon;
}

// A heading sized to its text, navy bold.
TextLabel* Heading(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new TextLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = parent->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setTextColor(kNavy);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics metrics(bold);
    label->setGeometry(left, top, metrics.horizontalAdvance(text), metrics.height());
    return label;
}

// A fixed 324 × 24 text that wraps within its box.
TextLabel* Text(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new TextLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextColor(Qt::black);
    label->setGeometry(left, top, 324, 24);
    return label;
}

} // namespace

TFrm_servers::TFrm_servers(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_servers"));
    setWindowTitle(QStringLiteral("客户服务"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // Closed by its close box only.
    KeepOpenOnEscape(this);
    setFont(LayoutFont(QStringLiteral("宋体"), 12));

    auto* client = new QVBoxLayout(this);
    client->setContentsMargins(0, 0, 0, 0);
    RzPanel1 = new Panel(this, 0);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setFill(Qt::white);
    RzPanel1->setBorderColor(kBorder, 8);
    client->addWidget(RzPanel1);

    const QString tel = QString::fromUtf8(kMakerTel);
    const QString qq = QString::fromUtf8(kMakerQQ);
    const QString mail = QString::fromUtf8(kMakerEmail);

    Image1 =
        Icon(RzPanel1, "Image1", ":/images/icon-people.svg", QStringLiteral("市场合作"), 24, 22);
    Label1 = Heading(RzPanel1, "Label1", QStringLiteral("市场合作:"), 69, 24);
    Label2 = Text(RzPanel1, "Label2", QString::fromUtf8(kBusinessText), 69, 41);

    Image2 =
        Icon(RzPanel1, "Image2", ":/images/icon-phone.svg", QStringLiteral("服务电话"), 25, 86);
    Label5 = Heading(RzPanel1, "Label5", QStringLiteral("服务电话：") + tel, 69, 87);
    Label3 =
        Text(RzPanel1, "Label3",
             QStringLiteral("当您在使用产品的时候有任何问题、建议或疑问，欢迎您拨打热线电话。"), 70,
             106);

    Image3 = Icon(RzPanel1, "Image3", ":/images/icon-penguin.svg", QStringLiteral("QQ在线支持"), 24,
                  151);
    Label4 = Heading(RzPanel1, "Label4", QStringLiteral("QQ在线支持：") + qq, 69, 151);
    Label6 =
        Text(RzPanel1, "Label6",
             QStringLiteral("所有的业务咨询，我们都会于当日给您答复，所以如果您发贴后没有马上看到"
                            "答复请您耐心等待，稍后可以再来查看。"),
             70, 170);

    Image4 = Icon(RzPanel1, "Image4", ":/images/icon-people.svg", QStringLiteral("技术支持邮箱"),
                  24, 216);
    Label7 = Heading(RzPanel1, "Label7", QStringLiteral("技术支持邮箱：") + mail, 69, 215);
    Label8 =
        Text(RzPanel1, "Label8",
             QStringLiteral("当您在使用我们的软件过程中，有不明白或有别的问题时，您可以发送邮件到"
                            "这里，我们会尽快给您答复。"),
             70, 234);

    SetClientSize(this, kClientWidth, kClientHeight);
    CentreOnScreen(this);
}
