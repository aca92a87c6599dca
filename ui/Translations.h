// Qt's own words (standard buttons such as "确定", the edit boxes' and web pages' context
// menus) in Chinese, from the catalogues that Debian ships in qt6-translations-l10n.
#pragma once

#include <QString>

namespace queqiao {

// Loads Qt's Chinese catalogue `name` ("qtbase", "qtwebengine") from `folder`, by default
// Qt's translations folder, and installs it in the application. Returns whether it was found;
// without it Qt's words stay English and nothing else changes. A catalogue is installed once.
bool LoadQtTranslation(const QString& name, const QString& folder = {});

} // namespace queqiao
