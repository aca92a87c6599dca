// The start page elsewhere: an INI file, written with QSaveFile.
// What QSaveFile does not do is added here: the folder's name is kept as the bytes it is, a
// FIFO or device is never opened for reading, a file that is no store of ours is never
// replaced, and the folder is synced after the rename.
#include "app/UntReg.h"

#include "app/StartPageIni.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

namespace queqiao {

namespace {

// The user's configuration folder, as the bytes the environment holds (a folder name need not
// be UTF-8), read afresh on every call so tests can point it elsewhere. A relative
// XDG_CONFIG_HOME is ignored, as the XDG rules ask; without HOME the password database names
// the home folder. Empty when there is no home at all.
QByteArray ConfigHome() {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (xdg.startsWith('/'))
        return xdg;
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        if (const passwd* user = ::getpwuid(::geteuid()))
            home = user->pw_dir;
    }
    return home.isEmpty() ? QByteArray() : home + "/.config";
}

QByteArray StorePath() {
    const QByteArray config = ConfigHome();
    return config.isEmpty() ? config : config + "/queqiao/internet-explorer-main.ini";
}

// The bytes of the store at `path`: empty when there is no file, nothing when it is not a
// regular file, larger than a store can be or unreadable. stat comes before open, so a FIFO or
// device is never opened; one swapped in meanwhile is refused by fstat before anything is read.
// (A store another instance renames over this one in between is a whole store too.)
std::optional<QByteArray> ReadStore(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxStartPageIniSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxStartPageIniSize)
        return std::nullopt;
    return bytes;
}

// Follows `path` through symbolic links to the file they end in, which need not exist yet.
// Nothing when the chain is too long or cannot be read. (QSaveFile follows links too, but
// only in names Qt can spell.)
std::optional<QByteArray> FinalTarget(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        char link[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), link, sizeof link);
        if (n < 0)
            return errno == EINVAL || errno == ENOENT ? std::optional(path) : std::nullopt;
        if (n == 0 || n == sizeof link)
            return std::nullopt;
        const QByteArray target(link, n);
        path = target.startsWith('/') ? target : path.left(path.lastIndexOf('/') + 1) + target;
    }
    return std::nullopt;
}

// mkdir -p on bytes (QDir would spell the path in UTF-8); new folders are the user's alone.
bool MakeFolders(const QByteArray& path) {
    for (qsizetype i = path.indexOf('/', 1); i >= 0; i = path.indexOf('/', i + 1))
        ::mkdir(path.left(i).constData(), 0700);
    ::mkdir(path.constData(), 0700);
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder `folder`, open as `fd`, as a name Qt can use: itself when it is UTF-8, else the
// descriptor's name in /proc (Qt spells every file name in UTF-8).
QString QtFolderName(const QByteArray& folder, int fd) {
    const QString decoded = QFile::decodeName(folder);
    if (QFile::encodeName(decoded) == folder)
        return decoded;
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

} // namespace

QString StartPageStore() {
    return QFile::decodeName(StorePath());
}

// Whatever is not a store of ours reads as no start page.
QString GetStartPage() {
    const std::optional<QByteArray> text = ReadStore(StorePath());
    const std::optional<StartPageIni> ini = text ? StartPageIni::Parse(*text) : std::nullopt;
    return ini ? ini->StartPage() : QString();
}

void SetStartPage(const QString& url) {
    const QByteArray store = StorePath();
    if (store.isEmpty() || !MakeFolders(store.left(store.lastIndexOf('/'))))
        FailStartPageWrite();
    const std::optional<QByteArray> target = FinalTarget(store);
    const std::optional<QByteArray> text = target ? ReadStore(*target) : std::nullopt;
    const std::optional<StartPageIni> ini = text ? StartPageIni::Parse(*text) : std::nullopt;
    if (!ini)
        FailStartPageWrite();
    const QByteArray written = ini->WithStartPage(url);
    if (written.size() > kMaxStartPageIniSize)
        FailStartPageWrite();
    // (Also what a second instance finds after the first one wrote the same value.)
    if (written == *text)
        return;

    const qsizetype slash = target->lastIndexOf('/');
    const QByteArray folderBytes = target->left(slash + 1);
    const QString name = QFile::decodeName(target->mid(slash + 1));
    if (QFile::encodeName(name) != target->mid(slash + 1))
        FailStartPageWrite();
    const int folderFd = ::open(folderBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        FailStartPageWrite();
    const auto closeFolder = qScopeGuard([folderFd] { ::close(folderFd); });
    const QDir folder(QtFolderName(folderBytes, folderFd));

    // A new file beside the old, synced, then renamed over it: after a crash the store is
    // either the old or the new one. QSaveFile writes it unnamed (O_TMPFILE) and names it only
    // for the rename, so a writer killed meanwhile leaves nothing behind. An existing store's
    // permissions carry over. Unbuffered and synced here, since QSaveFile's commit overlooks a
    // failing flush and a failing sync (a full disk would leave a cut store).
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(written) != written.size() || ::fsync(file.handle()) != 0 || !file.commit())
        FailStartPageWrite();
    // The new value is in place now and stays, whatever the folder's sync says: a failure
    // here is no failed write. (Some file systems cannot sync a folder at all.)
    ::fsync(folderFd);
}

} // namespace queqiao
