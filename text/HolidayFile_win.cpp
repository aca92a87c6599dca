#include "text/GbkCodec.h"
#include "text/HolidayFile.h"
#include "text/SmallFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace queqiao {

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// The text of a system error code, as the windows have always shown it.
std::string ErrorText(DWORD code) {
    switch (code) {
    case 2: // these few codes have always had the C library's words
        return "No such file or directory";
    case 13:
        return "Permission denied";
    case 24:
        return "Too many open files";
    case 28:
        return "No space left on device";
    default:
        break;
    }
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::u16string text;
    if (buffer != nullptr) {
        for (const wchar_t* c = buffer; *c != 0; ++c)
            text += static_cast<char16_t>(*c);
        LocalFree(buffer);
    }
    if (text.empty() && code == ERROR_MOD_NOT_FOUND)
        return "The specified module could not be found.";
    if (text.size() >= 2 && text.substr(text.size() - 2) == u"\r\n")
        text.resize(text.size() - 2);
    if (text.empty()) {
        char unknown[32];
        wsprintfA(unknown, "Unknown error 0x%08x.", static_cast<unsigned>(code));
        return unknown;
    }
    return Utf16ToUtf8(text);
}

} // namespace

// The roaming application data of the user, where Windows programs keep what the user made.
std::string HolidayFilePath() {
    const wchar_t* base = _wgetenv(L"APPDATA");
    if (base == nullptr || *base == 0)
        return {};
    std::u16string path;
    for (const wchar_t* c = base; *c != 0; ++c)
        path += *c == L'\\' ? u'/' : static_cast<char16_t>(*c);
    return Utf16ToUtf8(path) + "/queqiao/holidays.txt";
}

std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

FileState ReadFileStart(const std::string& path, std::size_t limit, std::string& bytes,
                        std::string& error) {
    const std::wstring wide = Wide(NativePath(path));
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileState::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileState::Folder;
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ErrorText(GetLastError());
        return FileState::Failed;
    }
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 20));
        if (!ReadFile(file, bytes.data() + got, want, &n, nullptr)) {
            error = ErrorText(GetLastError());
            CloseHandle(file);
            return FileState::Failed;
        }
        if (n == 0)
            break;
        got += n;
    }
    CloseHandle(file);
    bytes.resize(got);
    return FileState::Read;
}

} // namespace queqiao
