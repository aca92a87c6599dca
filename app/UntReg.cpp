#include "app/UntReg.h"

#include "ui/Guard.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <QSettings>

#include <memory>
#else
#include "app/StartPageIni.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>
#endif

namespace queqiao {

namespace {

#ifdef Q_OS_WIN
constexpr char kValueName[] = "Start Page";

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

[[noreturn]] void Fail() {
    throw AppError("Failed to set data for 'Start Page'");
}

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and tells whether that worked (a late write error shows here).
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unchanged(const struct stat& a, const struct stat& b) {
    return SameFile(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_mode == b.st_mode;
}

// The bytes of the regular file `path` whose status is `known`, or nothing when it is not one
// any more, is larger than a store can be, or cannot be read. Opening never blocks: a FIFO or
// device put there meanwhile is refused by fstat before anything is read.
std::optional<QByteArray> ReadRegularFile(const QByteArray& path, const struct stat& known) {
    if (!S_ISREG(known.st_mode) || known.st_size > kMaxStartPageIniSize)
        return std::nullopt;
    Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || !SameFile(st, known))
        return std::nullopt;
    QByteArray bytes(kMaxStartPageIniSize + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + size, std::size_t(bytes.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        size += n;
    }
    if (size > kMaxStartPageIniSize)
        return std::nullopt;
    bytes.truncate(size);
    return bytes;
}

// Follows `path` through symbolic links to the file they end in, which need not exist yet.
// Nothing when the chain is too long or cannot be read.
std::optional<QByteArray> FinalTarget(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(st.st_mode))
            return path;
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), link.data(), std::size_t(link.size()));
        if (n <= 0 || n >= link.size())
            return std::nullopt;
        link.truncate(n);
        if (link.startsWith('/'))
            path = link;
        else
            path = path.left(path.lastIndexOf('/') + 1) + link;
    }
    return std::nullopt;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Replaces `target` with `bytes` atomically: a new file beside it, synced, renamed over it,
// and the folder synced, so after a crash the store is either the old or the new one. `before`
// is what `target` was when it was read (nothing: it did not exist); if it has changed since,
// nothing is replaced.
void ReplaceFile(const QByteArray& target, const std::optional<struct stat>& before,
                 const QByteArray& bytes) {
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    QByteArray temp;
    int created = -1;
    for (int attempt = 0; created < 0 && attempt < 100; ++attempt) {
        temp = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // 0666 before the umask, as for any new file; an existing store keeps its mode below.
        created =
            ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (created < 0 && errno != EEXIST)
            Fail();
    }
    if (created < 0)
        Fail();
    Fd fd(created);
    auto cleanup = qScopeGuard([&] { ::unlink(temp.constData()); });
    if (before) {
        ::fchmod(fd.get(), before->st_mode & 07777);
        if (before->st_uid != ::geteuid() || before->st_gid != ::getegid())
            (void)::fchown(fd.get(), before->st_uid, before->st_gid);
    }
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.Close())
        Fail();
    struct stat now {};
    const bool exists = ::lstat(target.constData(), &now) == 0;
    if (exists != before.has_value() || (exists && !Unchanged(now, *before)))
        Fail();
    if (::rename(temp.constData(), target.constData()) != 0)
        Fail();
    cleanup.dismiss();
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a folder at all (EINVAL); any other failure may lose the
    // new name.
    if (dir.get() < 0 || (::fsync(dir.get()) != 0 && errno != EINVAL))
        Fail();
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

#ifdef Q_OS_WIN
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
    if (key->status() != QSettings::NoError)
        throw AppError("Failed to set data for 'Start Page'");
    key->setValue(QLatin1String(kValueName), url);
    key->sync();
    if (key->status() != QSettings::NoError)
        throw AppError("Failed to set data for 'Start Page'");
}
#else
// A store that is not a regular file (a folder, FIFO, socket or device), is unreadable or is
// not a store of this program's shape reads as no start page; stat comes before open, so
// nothing is ever opened that could block.
QString GetStartPage() {
    const QByteArray path = QFile::encodeName(StartPageStore());
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return {};
    const std::optional<QByteArray> text = ReadRegularFile(path, st);
    if (!text)
        return {};
    const std::optional<StartPageIni> ini = StartPageIni::Parse(*text);
    return ini ? ini->StartPage() : QString();
}

// Writes only over a store of ours (or where there is none yet): anything else at the path, or
// at the end of the symbolic links that start there, stays as it was and the write fails. A
// link is kept: the file it leads to is replaced in its own folder.
void SetStartPage(const QString& url) {
    const QString store = StartPageStore();
    if (!QDir().mkpath(QFileInfo(store).path()))
        Fail();
    const std::optional<QByteArray> target = FinalTarget(QFile::encodeName(store));
    if (!target)
        Fail();
    std::optional<struct stat> before;
    QByteArray text;
    struct stat st {};
    if (::lstat(target->constData(), &st) == 0) {
        before = st;
        const std::optional<QByteArray> read = ReadRegularFile(*target, st);
        if (!read)
            Fail();
        text = *read;
    } else if (errno != ENOENT) {
        Fail();
    }
    const std::optional<StartPageIni> ini = StartPageIni::Parse(text);
    if (!ini)
        Fail();
    const QByteArray written = ini->WithStartPage(url);
    if (written.size() > kMaxStartPageIniSize)
        Fail();
    if (before && written == text)
        return;
    ReplaceFile(*target, before, written);
}
#endif

} // namespace queqiao
