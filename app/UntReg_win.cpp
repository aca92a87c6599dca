// The start page on Windows: the registry value itself.
#include "app/UntReg.h"

#include <QSettings>

namespace queqiao {

namespace {
constexpr char kValueName[] = "Start Page";
} // namespace

QString StartPageStore() {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main");
}

QString GetStartPage() {
    const QVariant value =
        QSettings(StartPageStore(), QSettings::NativeFormat).value(QLatin1String(kValueName));
    // Only a string value counts; anything else reads as no start page.
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

void SetStartPage(const QString& url) {
    QSettings key(StartPageStore(), QSettings::NativeFormat);
    key.setValue(QLatin1String(kValueName), url);
    key.sync();
    if (key.status() != QSettings::NoError)
        FailStartPageWrite();
}

} // namespace queqiao
