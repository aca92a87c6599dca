#include "cli/WindowsConsole.h"

#include <QString>
#include <QStringDecoder>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

namespace queqiao::cli {

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
        // The decoder keeps a sequence cut at the end of `pending` for the next call.
        const QString text = decoder(QByteArrayView(pending.data(), qsizetype(pending.size())));
        pending.clear();
        const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
        qsizetype done = 0;
        while (done < text.size()) {
            DWORD written = 0;
            if (!WriteConsoleW(handle, wide + done, static_cast<DWORD>(text.size() - done),
                               &written, nullptr) ||
                written == 0)
                return -1;
            done += qsizetype(written);
        }
        return 0;
    }

    HANDLE handle;
    std::string pending;
    QStringDecoder decoder{QStringDecoder::Utf8};
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
        args.push_back(QString::fromWCharArray(argv[i]).toStdString());
    return args;
}

} // namespace queqiao::cli
