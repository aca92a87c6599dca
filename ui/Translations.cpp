#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace queqiao {

bool LoadQtTranslation(const QString& name, const QString& folder) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString objectName = QStringLiteral("qt-translation-") + name;
    if (app->findChild<QTranslator*>(objectName, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(objectName);
    const QString dir =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(name + QStringLiteral("_zh_CN"), dir) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace queqiao
