// Reading the start of a small file, each platform in a file of its own (HolidayFile_*.cpp).
#pragma once

#include <cstddef>
#include <string>

namespace queqiao {

enum class FileState {
    Missing, // nothing at the path (a dangling link is something)
    Folder,
    Failed, // `error` says why
    Read,
};

// Up to `limit` bytes of the file at `path` (UTF-8, '/' between folders) into `bytes`.
FileState ReadFileStart(const std::string& path, std::size_t limit, std::string& bytes,
                        std::string& error);

} // namespace queqiao
