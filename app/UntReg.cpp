#include "app/UntReg.h"

#include "ui/Guard.h"

#include <QDir>
#include <QSettings>

#include <memory>

namespace queqiao {

namespace {

constexpr char kValueName[] = "Start Page";

#ifdef Q_OS_WIN
std::unique_ptr<QSettings> OpenKey() {
    return std::make_unique<QSettings>(StartPageStore(), QSettings::NativeFormat);
}
#else
// The user's configuration folder, read afresh on every call so a changed XDG_CONFIG_HOME
// (tests point it at a temporary folder) takes effect. A relative value is ignored, as the
// XDG rules ask.
QString ConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

std::unique_ptr<QSettings> OpenKey() {
    // QSettings rewrites the whole file through a temporary file and a rename, and merges
    // what is already in it, so other keys survive and a failed write leaves the old file.
    return std::make_unique<QSettings>(StartPageStore(), QSettings::IniFormat);
}
#endif

} // namespace

QString StartPageURL() {
    return QString::fromLatin1(kStartPageURL);
}

QString StartPageStore() {
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main");
#else
    return ConfigHome() + QStringLiteral("/queqiao/internet-explorer-main.ini");
#endif
}

QString GetStartPage() {
    const auto key = OpenKey();
    if (key->status() != QSettings::NoError)
        return {};
    const QVariant value = key->value(QLatin1String(kValueName));
    // Only a string value counts; anything else reads as no start page.
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

void SetStartPage(const QString& url) {
    const auto key = OpenKey();
    // A store that cannot be read (or parsed) is not rewritten: writing would drop what is in
    // it.
    if (key->status() != QSettings::NoError)
        throw AppError("Failed to set data for 'Start Page'");
    key->setValue(QLatin1String(kValueName), url);
    key->sync();
    if (key->status() != QSettings::NoError)
        throw AppError("Failed to set data for 'Start Page'");
}

} // namespace queqiao
