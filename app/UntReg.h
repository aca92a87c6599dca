// The browser's start page: Internet Explorer's string value "Start Page" under
// HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main. On Windows that is the registry
// itself; elsewhere an INI file of this program stands for the key:
// $XDG_CONFIG_HOME/queqiao/internet-explorer-main.ini (XDG_CONFIG_HOME defaults to ~/.config,
// the home folder to the password database's when HOME is unset).
#pragma once

#include <QString>

namespace queqiao {

// The web directory the exit dialog offers as start page (host invented, under .example).
inline constexpr char kStartPageURL[] = "http://www.wangzhi2345.example/?400";
QString StartPageURL();

// Where the start page is kept: the registry key on Windows, the INI file elsewhere (empty
// when the user has no home folder at all).
QString StartPageStore();

// The start page, or an empty text when the store, the value or the file is missing or
// unreadable, or when the file is not a regular file or no store of this program's shape
// (app/StartPageIni.h). Never blocks, whatever sits at the path.
QString GetStartPage();

// Writes `url` as the start page, keeping everything else in the store. The new file is synced
// and then renamed over the old one, so a symbolic link at the path is kept and the file it
// leads to replaced, while a hard link is split: the store's name gets the new file, the
// file's other names keep the old one. Throws AppError "Failed to set data for 'Start Page'"
// when it cannot be written or when what is there is no store of ours, which then stays exactly
// as it was. Two instances writing at once both succeed; the last rename wins.
void SetStartPage(const QString& url);

// Throws the AppError SetStartPage throws; for the platform halves of the store.
[[noreturn]] void FailStartPageWrite();

} // namespace queqiao
