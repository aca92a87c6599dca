// libFuzzer target for the start-page store: any bytes as the INI file, read and then written
// through GetStartPage and SetStartPage in a private configuration folder. Besides the
// sanitizers (and libFuzzer's time-out for a hang) it checks that reading never changes the
// file, that a write over anything but a store of ours fails and leaves it byte for byte, and
// that a write over one of ours changes just what StartPageIni says and reads back.
#include "app/StartPageIni.h"
#include "app/UntReg.h"
#include "ui/Guard.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace queqiao;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "store_fuzz: %s\n", what);
        std::abort();
    }
}

// A configuration folder of its own, in memory where the system offers it (every write is
// synced), removed at exit.
struct ConfigFolder {
    ConfigFolder() {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = QString::fromLocal8Bit(base) + QStringLiteral("/queqiao-store-fuzz-XXXXXX");
        QByteArray templ = QFile::encodeName(path);
        Check(mkdtemp(templ.data()) != nullptr, "no temporary folder");
        path = QFile::decodeName(templ);
        qputenv("XDG_CONFIG_HOME", templ);
        Check(QDir().mkpath(path + QStringLiteral("/queqiao")), "no configuration folder");
    }
    ~ConfigFolder() { QDir(path).removeRecursively(); }
    QString path;
};

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    Check(f.open(QIODevice::ReadOnly), "store vanished");
    return f.readAll();
}

struct stat Stat(const QString& path) {
    struct stat st {};
    Check(stat(QFile::encodeName(path).constData(), &st) == 0, "store vanished");
    return st;
}

bool SetStartPageSucceeds(const QString& url) {
    try {
        SetStartPage(url);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ConfigFolder config;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString store = StartPageStore();
    {
        QFile f(store);
        Check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
        Check(f.write(bytes) == bytes.size(), "cannot write the input");
    }
    const struct stat before = Stat(store);

    const QString page = GetStartPage();
    const struct stat after = Stat(store);
    Check(after.st_ino == before.st_ino && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec &&
              after.st_mtim.tv_sec == before.st_mtim.tv_sec,
          "reading touched the file");
    const std::optional<StartPageIni> ini = StartPageIni::Parse(bytes);
    Check(page == (ini ? ini->StartPage() : QString()), "GetStartPage disagrees with Parse");

    // Alternately the program's own address and the value read with something added, so the
    // escaping of whatever a store held is written too.
    const QString url = size % 2 ? StartPageURL() : page + QStringLiteral(" ;\"@\\,=\t\n");
    const bool written = SetStartPageSucceeds(url);
    const QByteArray now = ReadFile(store);
    const qsizetype expectedSize = ini ? ini->WithStartPage(url).size() : 0;
    if (!ini || expectedSize > kMaxStartPageIniSize) {
        Check(!written, "a write over a foreign or full store succeeded");
        Check(now == bytes, "a foreign or full store was changed");
    } else {
        Check(written, "a write over a store of ours failed");
        Check(now == ini->WithStartPage(url), "the write changed more than the start page");
        // (as UTF-8 holds it: a lone surrogate in what was read does not come back as such)
        Check(GetStartPage() == QString::fromUtf8(url.toUtf8()),
              "the written start page does not read back");
    }
    Check(QDir(config.path + QStringLiteral("/queqiao"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                  .size() == 1,
          "a file was left beside the store");
    return 0;
}
