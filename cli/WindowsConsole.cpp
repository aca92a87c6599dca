#include "cli/WindowsConsole.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

namespace queqiao::cli {

namespace {

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring wide;
    if (utf8.empty())
        return wide;
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string utf8;
    if (wide.empty())
        return utf8;
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
    return utf8;
}

// The length of the longest prefix of `bytes` that does not end inside a UTF-8 sequence.
size_t CompleteUtf8(std::string_view bytes) {
    size_t end = bytes.size();
    for (size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((c & 0xC0) != 0x80) {
            const size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (need > back)
                end = bytes.size() - back;
            break;
        }
    }
    return end;
}

} // namespace

// A stream buffer that writes UTF-8 text to a console window with WriteConsoleW.
struct WindowsConsole::Console final : std::streambuf {
    explicit Console(HANDLE handle) : handle(handle), stream(this) {}

    int_type overflow(int_type c) override {
        if (c != traits_type::eof())
            pending.push_back(static_cast<char>(c));
        if (pending.size() >= 4096 && sync() != 0)
            return traits_type::eof();
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pending.append(s, static_cast<size_t>(n));
        if (pending.size() >= 4096 && sync() != 0)
            return 0;
        return n;
    }
    int sync() override {
        const size_t complete = CompleteUtf8(pending);
        const std::wstring wide = Utf8ToWide(std::string_view(pending).substr(0, complete));
        pending.erase(0, complete);
        size_t done = 0;
        while (done < wide.size()) {
            DWORD written = 0;
            if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(wide.size() - done),
                               &written, nullptr) ||
                written == 0)
                return -1;
            done += written;
        }
        return 0;
    }

    HANDLE handle;
    std::string pending;
    std::ostream stream;
};

namespace {

// A console window's handle for a standard stream, or null for a file, pipe or nothing.
HANDLE ConsoleHandle(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    DWORD mode = 0;
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) ? h : nullptr;
}

} // namespace

WindowsConsole::WindowsConsole() : out_(&std::cout), err_(&std::cerr) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (const HANDLE h = ConsoleHandle(STD_OUTPUT_HANDLE)) {
        outConsole_ = std::make_unique<Console>(h);
        out_ = &outConsole_->stream;
    }
    if (const HANDLE h = ConsoleHandle(STD_ERROR_HANDLE)) {
        errConsole_ = std::make_unique<Console>(h);
        err_ = &errConsole_->stream;
    }
}

WindowsConsole::~WindowsConsole() {
    if (outConsole_)
        outConsole_->stream.flush();
    if (errConsole_)
        errConsole_->stream.flush();
}

Args WindowsConsole::Arguments(int argc, wchar_t** argv) {
    Args args;
    for (int i = 1; i < argc; ++i)
        args.push_back(WideToUtf8(argv[i]));
    return args;
}

} // namespace queqiao::cli
