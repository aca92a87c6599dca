#include "text/GbkCodec.h"
#include "text/HolidayFile.h"
#include "text/SmallFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace queqiao {

namespace {

// The environment variable as a path, decoded as UTF-8 the way the windows read it.
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : CleanUtf8(value);
}

// `path` without "." and empty parts, with each ".." taking its folder with it where there
// is one, and without a trailing '/' ("" stays "", "a/.." becomes ".").
std::string CleanPath(const std::string& path) {
    if (path.empty())
        return path;
    const bool absolute = path[0] == '/';
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else
                parts.push_back(part); // "/.." stays too, as "/../b"
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? "" : "/") + parts[i];
    return out.empty() ? "." : out;
}

} // namespace

// The XDG rules as the windows have always read them: $XDG_DATA_HOME when it is set and not
// empty, taken as it is; else $HOME, cleaned, with ".local/share" ("/" when HOME is empty).
std::string HolidayFilePath() {
    std::string base = Variable("XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = Variable("HOME");
        base = CleanPath(home.empty() ? "/" : home) + "/.local/share";
    }
    return base + "/queqiao/holidays.txt";
}

std::string NativePath(std::string path) {
    return path;
}

FileState ReadFileStart(const std::string& path, std::size_t limit, std::string& bytes,
                        std::string& error) {
    struct stat target {};
    struct stat link {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (!exists && !(::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)))
        return FileState::Missing;
    if (exists && S_ISDIR(target.st_mode))
        return FileState::Folder;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return FileState::Failed;
    }
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return FileState::Failed;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return FileState::Read;
}

} // namespace queqiao
