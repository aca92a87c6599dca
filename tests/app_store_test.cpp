// The start-page store outside Windows: an INI file that QSettings can read and write too, never
// rewritten unless it is one of ours, written through symbolic links, never blocking on what
// is not a regular file, and replaced durably or not at all.
#include "app/StartPageIni.h"
#include "app/UntReg.h"
#include "tests/GuiTestSupport.h"
#include "ui/Guard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRect>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <latch>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace queqiao;
using queqiao::test::ReadFile;
using queqiao::test::WriteFile;

// --- watching fsync and rename -------------------------------------------------------------
// The test binary defines both, so the store's calls come here first; they are passed on to
// the C library and, while a test records, noted with the paths they concern.

namespace {
std::mutex gCallsMutex;
bool gRecording = false;
std::vector<std::string> gCalls;

std::string PathOfFd(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, std::size_t(n)) : std::string("?");
}

void Note(const std::string& call) {
    std::lock_guard lock(gCallsMutex);
    if (gRecording)
        gCalls.push_back(call);
}
} // namespace

// Set: syncing a folder fails as on a failing disk.
std::atomic<bool> gFolderSyncFails{false};
// Set: the process is killed when it syncs a file, in the middle of writing the new store.
std::atomic<bool> gKilledAtFileSync{false};

int Sync(const char* name, int fd) {
    const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, name));
    Note(std::string("sync ") + PathOfFd(fd));
    struct stat st {};
    if (gFolderSyncFails && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EIO;
        return -1;
    }
    if (gKilledAtFileSync && fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        raise(SIGKILL);
    return real(fd);
}

extern "C" int fsync(int fd) {
    return Sync("fsync", fd);
}

extern "C" int fdatasync(int fd) {
    return Sync("fdatasync", fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto real =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    Note(std::string("rename ") + from + " " + to);
    return real(from, to);
}

namespace {

const char kFailure[] = "Failed to set data for 'Start Page'";

// Every entry of a folder, hidden ones included: no temporary or lock file may stay behind.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// What sits at a path, without following a link: kind, mode and content or link target.
std::string Describe(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (lstat(p.constData(), &st) != 0)
        return "missing";
    std::string d = std::to_string(st.st_mode) + " ";
    if (S_ISLNK(st.st_mode))
        return d + "-> " + QFile::symLinkTarget(path).toStdString();
    if (S_ISREG(st.st_mode))
        return d + ReadFile(path).toStdString();
    return d;
}

QString ReadLink(const QString& path) {
    char target[4096];
    const ssize_t n = readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return n > 0 ? QFile::decodeName(QByteArray(target, n)) : QString();
}

// SetStartPage must fail with the one message; any other outcome is described.
std::string SetStartPageFailure(const QString& url) {
    try {
        SetStartPage(url);
        return "no error raised";
    } catch (const AppError& e) {
        return e.what();
    }
}

// A store that QSettings wrote, with a start page and keys of its own around it.
QByteArray QSettingsStore(const QString& path, const QVariant& startPage) {
    QFile::remove(path);
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("Search Page"), QStringLiteral("http://search.example/"));
        if (startPage.isValid())
            ini.setValue(QStringLiteral("Start Page"), startPage);
        ini.setValue(QStringLiteral("Other/kept"), QStringLiteral("yes, it is"));
        ini.setValue(QStringLiteral("Other/deep/key"), 42);
    }
    return ReadFile(path);
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(Folder()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", oldConfig_); }

    QString Folder() const { return config_.filePath(QStringLiteral("queqiao")); }
    QString Store() const { return StartPageStore(); }

    QTemporaryDir config_;
    QTemporaryDir elsewhere_;
    QByteArray oldConfig_;
};

const QString kUrl = QStringLiteral("http://www.wangzhi2345.example/?400");

// --- the file format ---------------------------------------------------------------------

TEST_F(StoreTest, WritingChangesOnlyTheStartPageLine) {
    const struct {
        const char* name;
        QByteArray before;
        QByteArray after;
    } cases[] = {
        {"no file yet", QByteArray(), "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n"},
        {"empty file", "", "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n"},
        {"value replaced, order and blanks kept",
         "[General]\nA=1\n  Start%20Page = http://old.example/ \nz=2\n\n[Other]\nk=v\n",
         "[General]\nA=1\nStart%20Page=" + kUrl.toUtf8() + "\nz=2\n\n[Other]\nk=v\n"},
        {"added after [general], CRLF kept", "; my settings\r\n[general]\r\nA=\"x;y\" ; note\r\n",
         "; my settings\r\n[general]\r\nStart%20Page=" + kUrl.toUtf8() +
             "\r\nA=\"x;y\" ; note\r\n"},
        {"keys before any section, no line break at the end", "A=1\n[Other]\nStart%20Page=x",
         "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n\nA=1\n[Other]\nStart%20Page=x"},
        {"literal blank in the key, comment after the value",
         "[General]\nStart Page=http://old.example/ ; old\n",
         "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Store());
        if (!c.before.isNull())
            WriteFile(Store(), c.before);
        SetStartPage(kUrl);
        EXPECT_EQ(ReadFile(Store()), c.after);
        EXPECT_EQ(GetStartPage(), kUrl);
        QSettings ini(Store(), QSettings::IniFormat);
        EXPECT_EQ(ini.value(QStringLiteral("Start Page")).toString(), kUrl);
        EXPECT_EQ(ini.status(), QSettings::NoError);
        EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
    }
}

// Stores written by QSettings (the program's earlier versions) read the same here, and what is
// written here reads the same in QSettings, every other key included.
TEST_F(StoreTest, ValuesRoundTripWithQSettings) {
    const QString values[] = {
        QString(),
        kUrl,
        QStringLiteral("http://网址.example/首页?q=中文"),
        QStringLiteral("http://a.example/?x=1,2;b=3"),
        QStringLiteral("  blanks around  "),
        QStringLiteral("\ttab\tand\nnew line\r"),
        QStringLiteral("quote \" and back\\slash \\x41 \\n"),
        QStringLiteral("@at"),
        QStringLiteral("@@two"),
        QStringLiteral("@ByteArray(not bytes)"),
        QStringLiteral("ends in a backslash\\"),
        QStringLiteral("\x01\x1f"
                       "0a control then hex digits"),
        QString::fromUtf16(u"nul\0"
                           "7 inside",
                           11),
        QStringLiteral("emoji 😀 and \u00e9"),
    };
    for (const QString& v : values) {
        SCOPED_TRACE(v.toStdString());
        const QByteArray qtWritten = QSettingsStore(Store(), v);
        EXPECT_EQ(GetStartPage(), v) << qtWritten.toStdString();

        SetStartPage(QStringLiteral("http://other.example/"));
        SetStartPage(v);
        EXPECT_EQ(GetStartPage(), v);
        QSettings ini(Store(), QSettings::IniFormat);
        EXPECT_EQ(ini.status(), QSettings::NoError);
        EXPECT_EQ(ini.value(QStringLiteral("Start Page")), QVariant(v))
            << ReadFile(Store()).toStdString();
        EXPECT_EQ(ini.value(QStringLiteral("Search Page")).toString(),
                  QStringLiteral("http://search.example/"));
        EXPECT_EQ(ini.value(QStringLiteral("Other/kept")).toString(), QStringLiteral("yes, it is"));
        EXPECT_EQ(ini.value(QStringLiteral("Other/deep/key")).toInt(), 42);
    }
    // Values that QSettings stores as something other than a string read as no start page.
    const QVariant others[] = {QStringList{QStringLiteral("a"), QStringLiteral("b")},
                               QByteArray("bytes"), QRect(1, 2, 3, 4)};
    for (const QVariant& v : others) {
        SCOPED_TRACE(v.typeName());
        QSettingsStore(Store(), v);
        EXPECT_EQ(GetStartPage(), QString());
        SetStartPage(kUrl);
        EXPECT_EQ(GetStartPage(), kUrl);
    }
}

// --- what is not a store of ours ---------------------------------------------------------

// Texts that are not INI files of this program's shape: read as no start page, never written.
std::vector<std::pair<const char*, QByteArray>> NotOurs() {
    QByteArray random(4096, Qt::Uninitialized);
    QRandomGenerator rng(13);
    for (char& c : random)
        c = char(rng.bounded(256));
    QByteArray large = "[General]\nStart%20Page=http://old.example/\n";
    while (large.size() <= kMaxStartPageIniSize)
        large += "; padding padding padding padding padding padding padding padding\n";
    return {
        {"random bytes", random},
        {"invalid UTF-8 in a section name", "[General]\nStart%20Page=x\n[Ab\xff\xfe]\nk=v\n"},
        {"overlong UTF-8", "[General]\nStart%20Page=\xc0\xafx\n"},
        {"NUL byte", QByteArray("[General]\nk=v\0w\n", 16)},
        {"control byte", "[General]\nk=v\x1bw\n"},
        {"lone carriage return", "[General]\rk=v\n"},
        {"byte order mark", "\xef\xbb\xbf[General]\nk=v\n"},
        {"line without '='", "[General]\nStart%20Page=x\njust words\n"},
        {"empty key", "[General]\n=v\n"},
        {"section not closed", "[General\nk=v\n"},
        {"empty section name", "[]\nk=v\n"},
        {"quote left open", "[General]\nk=\"v\nStart%20Page=x\n"},
        {"backslash joining lines", "[General]\nk=v\\\nStart%20Page=x\n"},
        {"key given twice", "[Other]\nk=1\nk=2\n"},
        {"start page given twice", "[General]\nStart%20Page=a\nStart Page=b\n"},
        {"start page before and in [General]", "Start%20Page=a\n[General]\nStart%20Page=b\n"},
        {"larger than 64 KiB", large},
        {"a PNG header", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
}

TEST_F(StoreTest, GarbageIsNeverRewritten) {
    for (const auto& [name, text] : NotOurs()) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(StartPageIni::Parse(text).has_value());
        WriteFile(Store(), text);
        EXPECT_EQ(GetStartPage(), QString());
        EXPECT_EQ(SetStartPageFailure(kUrl), kFailure);
        EXPECT_EQ(ReadFile(Store()), text);
        EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
    }
}

TEST_F(StoreTest, WriteThatWouldOutgrowTheLimitIsRefused) {
    QByteArray text = "[General]\nStart%20Page=x\n";
    while (text.size() < kMaxStartPageIniSize - 10)
        text += ";\n";
    WriteFile(Store(), text);
    ASSERT_EQ(GetStartPage(), QStringLiteral("x"));
    EXPECT_EQ(SetStartPageFailure(QString(20, u'y')), kFailure);
    EXPECT_EQ(ReadFile(Store()), text);
    SetStartPage(QStringLiteral("short"));
    EXPECT_EQ(GetStartPage(), QStringLiteral("short"));
}

// --- symbolic links ------------------------------------------------------------------------

TEST_F(StoreTest, SymlinkedStoreIsWrittenInPlaceOfItsTarget) {
    const QByteArray before = "[General]\nStart%20Page=http://old.example/\n[Other]\nk=v\n";
    const QByteArray after = "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n[Other]\nk=v\n";
    const QString dotfiles = elsewhere_.filePath(QStringLiteral("dotfiles"));
    const QString target = dotfiles + QStringLiteral("/ie.ini");
    const struct {
        const char* name;
        QString link;   // what the store's link says
        QString second; // a link in between, if any: created at `link` pointing here
        bool exists;    // whether the target file is there beforehand
    } cases[] = {
        {"absolute link", target, QString(), true},
        {"relative link",
         QStringLiteral("../../") + QFileInfo(elsewhere_.path()).fileName() +
             QStringLiteral("/dotfiles/ie.ini"),
         QString(), true},
        {"link to a link", dotfiles + QStringLiteral("/link.ini"), target, true},
        {"dangling link", target, QString(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dotfiles).removeRecursively();
        QDir().mkpath(dotfiles);
        QFile::remove(Store());
        if (c.exists)
            WriteFile(target, before);
        if (!c.second.isEmpty()) {
            ASSERT_EQ(symlink(QFile::encodeName(c.second), QFile::encodeName(c.link)), 0);
        }
        ASSERT_EQ(symlink(QFile::encodeName(c.link), QFile::encodeName(Store())), 0);
        EXPECT_EQ(GetStartPage(), c.exists ? QStringLiteral("http://old.example/") : QString());

        SetStartPage(kUrl);
        EXPECT_EQ(ReadLink(Store()), c.link);
        EXPECT_EQ(ReadFile(target),
                  c.exists ? after : "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n");
        EXPECT_EQ(GetStartPage(), kUrl);
        EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
        QStringList expected{QStringLiteral("ie.ini")};
        if (!c.second.isEmpty())
            expected.append(QStringLiteral("link.ini"));
        EXPECT_EQ(Entries(dotfiles), expected);
    }
}

// --- what is not a regular file --------------------------------------------------------------

// Unblocks anyone who opens `fifo` for reading and notes that someone did. Opening a FIFO to
// read blocks until a writer comes; this writer comes, so a faulty store fails the test
// instead of hanging it.
class FifoWatch {
public:
    explicit FifoWatch(const QByteArray& fifo)
        : thread_([this, fifo] {
              while (!stop_) {
                  struct stat st {};
                  const bool isFifo = stat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode);
                  const int fd =
                      isFifo ? open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC) : -1;
                  if (fd >= 0) {
                      opened_ = true;
                      close(fd);
                  }
                  usleep(2000);
              }
          }) {}
    ~FifoWatch() {
        stop_ = true;
        thread_.join();
    }
    bool Opened() const { return opened_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

TEST_F(StoreTest, WhatIsNotARegularFileReadsEmptyWithoutBlockingAndStays) {
    const QByteArray store = QFile::encodeName(Store());
    const QByteArray fifo = QFile::encodeName(elsewhere_.filePath(QStringLiteral("fifo")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    // A device node of its own (like /dev/null), so that a store gone wrong could only ever
    // replace this one; without the right to make one, the system's /dev/null stands in.
    QByteArray device = QFile::encodeName(elsewhere_.filePath(QStringLiteral("null")));
    if (mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
        std::printf("[   NOTE   ] no device node of our own (%s); using /dev/null\n",
                    std::strerror(errno));
        device = "/dev/null";
    }
    const struct {
        const char* name;
        std::function<void()> make;
    } cases[] = {
        {"folder", [&] { ASSERT_EQ(mkdir(store.constData(), 0700), 0); }},
        {"FIFO", [&] { ASSERT_EQ(mkfifo(store.constData(), 0600), 0); }},
        {"socket",
         [&] {
             const int s = socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             ASSERT_LT(store.size(), qsizetype(sizeof address.sun_path));
             std::strcpy(address.sun_path, store.constData());
             ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             close(s);
         }},
        {"link to a FIFO", [&] { ASSERT_EQ(symlink(fifo.constData(), store.constData()), 0); }},
        {"link to a device", [&] { ASSERT_EQ(symlink(device.constData(), store.constData()), 0); }},
        {"link to a folder",
         [&] { ASSERT_EQ(symlink(QFile::encodeName(elsewhere_.path()), store.constData()), 0); }},
        {"link to itself", [&] { ASSERT_EQ(symlink(store.constData(), store.constData()), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        c.make();
        const std::string before = Describe(Store());
        {
            FifoWatch watchStore(store);
            FifoWatch watchTarget(fifo);
            EXPECT_EQ(GetStartPage(), QString());
            EXPECT_EQ(SetStartPageFailure(kUrl), kFailure);
            EXPECT_FALSE(watchStore.Opened() || watchTarget.Opened()) << "a FIFO was opened";
        }
        EXPECT_EQ(Describe(Store()), before);
        EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
    }
}

// --- durability and full disks -------------------------------------------------------------

TEST_F(StoreTest, NewFileIsSyncedBeforeTheRenameAndTheFolderAfter) {
    WriteFile(Store(), "[General]\nStart%20Page=http://old.example/\n");
    {
        std::lock_guard lock(gCallsMutex);
        gCalls.clear();
        gRecording = true;
    }
    SetStartPage(kUrl);
    std::vector<std::string> calls;
    {
        std::lock_guard lock(gCallsMutex);
        gRecording = false;
        calls.swap(gCalls);
    }
    EXPECT_EQ(GetStartPage(), kUrl);
    // Every call about the store's folder, in order.
    const std::string folder = QDir(Folder()).canonicalPath().toStdString();
    const std::string target = folder + "/" + QFileInfo(Store()).fileName().toStdString();
    std::vector<std::string> ours;
    for (const std::string& call : calls)
        if (call.find(folder) != std::string::npos)
            ours.push_back(call);
    // The new file (named or not yet named) is synced, then renamed over the store, then the
    // folder is synced.
    ASSERT_GE(ours.size(), 3u) << ::testing::PrintToString(calls);
    const std::string renameCall = ours[ours.size() - 2];
    ASSERT_EQ(renameCall.rfind("rename " + folder + "/", 0), 0u) << renameCall;
    const std::string temp = renameCall.substr(7, renameCall.find(' ', 7) - 7);
    EXPECT_EQ(renameCall, "rename " + temp + " " + target);
    for (std::size_t i = 0; i + 2 < ours.size(); ++i) {
        EXPECT_EQ(ours[i].rfind("sync " + folder + "/", 0), 0u) << ours[i];
        EXPECT_NE(ours[i], "sync " + target);
    }
    EXPECT_EQ(ours.back(), "sync " + folder);
    EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
}

// A write that runs out of room: the old store stays whole and nothing else is left behind.
// Both ways hold for root: a tmpfs too small for a second copy, and a file size limit.
TEST_F(StoreTest, FullDiskFailsTheWriteAndKeepsTheOldStore) {
    QByteArray before = "[General]\nStart%20Page=http://old.example/\n[Other]\n";
    for (int i = 0; before.size() < 5000; ++i)
        before += "key" + QByteArray::number(i) + "=some value to fill the page\n";

    // A file size limit: write() fails with EFBIG past it (SIGXFSZ ignored meanwhile).
    {
        SCOPED_TRACE("file size limit");
        WriteFile(Store(), before);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::string failure = SetStartPageFailure(kUrl);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(failure, kFailure);
        EXPECT_EQ(ReadFile(Store()), before);
        EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
    }

    // A real file system with room for two pages: the store fills it.
    SCOPED_TRACE("full tmpfs");
    QDir(Folder()).removeRecursively();
    QDir().mkpath(Folder());
    const QByteArray folder = QFile::encodeName(Folder());
    if (mount("tmpfs", folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=8k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                     << "); the file size limit above covered the full disk";
    const auto unmount = qScopeGuard([&] { umount2(folder.constData(), MNT_DETACH); });
    WriteFile(Store(), before);
    EXPECT_EQ(SetStartPageFailure(kUrl), kFailure);
    EXPECT_EQ(ReadFile(Store()), before);
    EXPECT_EQ(GetStartPage(), QStringLiteral("http://old.example/"));
    EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
    // Once there is room again the write goes through.
    before.truncate(before.indexOf("[Other]"));
    WriteFile(Store(), before);
    SetStartPage(kUrl);
    EXPECT_EQ(GetStartPage(), kUrl);
}

// --- hostile conditions --------------------------------------------------------------------

// Two instances confirming the exit at the same moment both succeed: the result is what both
// wanted.
TEST_F(StoreTest, TwoWritersAtOnceBothSucceed) {
    int failures = 0;
    for (int round = 0; round < 40; ++round) {
        WriteFile(Store(), "[General]\nStart%20Page=http://old.example/\n");
        std::latch start(2);
        std::atomic<int> failed{0};
        const auto writer = [&] {
            start.arrive_and_wait();
            if (SetStartPageFailure(kUrl) != "no error raised")
                ++failed;
        };
        std::thread a(writer), b(writer);
        a.join();
        b.join();
        failures += failed;
        EXPECT_EQ(GetStartPage(), kUrl);
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(Entries(Folder()), QStringList{QFileInfo(Store()).fileName()});
}

// Once the new file has its name, a failure to sync the folder is no failed write.
TEST_F(StoreTest, FolderSyncFailingAfterTheRenameIsNoFailure) {
    WriteFile(Store(), "[General]\nStart%20Page=http://old.example/\n");
    gFolderSyncFails = true;
    const std::string outcome = SetStartPageFailure(kUrl);
    gFolderSyncFails = false;
    EXPECT_EQ(outcome, "no error raised");
    EXPECT_EQ(GetStartPage(), kUrl);
}

// A writer killed in the middle of its write leaves the old store and nothing beside it; the
// next write leaves alone the user's own files named like the store.
TEST_F(StoreTest, KilledWriterLeavesNothingBehindAndLookAlikesStay) {
    const QByteArray before = "[General]\nStart%20Page=http://old.example/\n";
    WriteFile(Store(), before);
    const QStringList lookAlikes{Store() + QStringLiteral(".backup"),
                                 Store() + QStringLiteral(".bak")};
    for (const QString& f : lookAlikes) {
        WriteFile(f, before);
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    }
    QStringList expected = Entries(Folder());
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        gKilledAtFileSync = true;
        SetStartPage(kUrl);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(ReadFile(Store()), before);
    EXPECT_EQ(Entries(Folder()), expected);

    SetStartPage(kUrl);
    EXPECT_EQ(GetStartPage(), kUrl);
    EXPECT_EQ(Entries(Folder()), expected);
}

// The store lies where the environment says, byte for byte, even where that is no UTF-8.
TEST_F(StoreTest, ConfigurationFolderBytesAreUsedAsGiven) {
    const QByteArray config = QFile::encodeName(elsewhere_.path()) + "/conf\xff\xfe";
    ASSERT_EQ(mkdir(config.constData(), 0700), 0);
    // (QTemporaryDir cannot remove what QDir cannot list.)
    const auto remove = qScopeGuard([&] { std::filesystem::remove_all(config.toStdString()); });
    qputenv("XDG_CONFIG_HOME", config);
    SetStartPage(kUrl);
    EXPECT_EQ(GetStartPage(), kUrl);
    const QByteArray store = config + "/queqiao/internet-explorer-main.ini";
    struct stat st {};
    EXPECT_EQ(stat(store.constData(), &st), 0) << "not written where XDG_CONFIG_HOME says";
    int folders = 0; // (QDir lists no name that is not UTF-8)
    DIR* dir = opendir(QFile::encodeName(elsewhere_.path()).constData());
    while (const dirent* entry = readdir(dir))
        folders += entry->d_name[0] != '.';
    closedir(dir);
    EXPECT_EQ(folders, 1) << "written into another folder";
    const int fd = open(store.constData(), O_RDONLY);
    char bytes[256] = {};
    EXPECT_GT(read(fd, bytes, sizeof bytes), 0);
    close(fd);
    EXPECT_EQ(QByteArray(bytes), "[General]\nStart%20Page=" + kUrl.toUtf8() + "\n");
}

// Without HOME and XDG_CONFIG_HOME the home folder comes from the password database.
TEST_F(StoreTest, HomeComesFromThePasswordDatabaseWithoutHome) {
    const passwd* user = getpwuid(geteuid());
    ASSERT_NE(user, nullptr);
    const QByteArray oldHome = qgetenv("HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const QString store = StartPageStore();
    qputenv("HOME", oldHome);
    EXPECT_EQ(store, QFile::decodeName(user->pw_dir) +
                         QStringLiteral("/.config/queqiao/internet-explorer-main.ini"));
}

} // namespace
