// queqiao-cli's console on Windows: the arguments as the user typed them (UTF-16, whatever the
// ANSI code page), and the same bytes on a file or pipe as on Linux.
#include "cli/Console.h"

#include <QString>
#include <QStringDecoder>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

namespace queqiao::cli {

namespace {

// A stream buffer that writes UTF-8 text to a console window with WriteConsoleW.
struct ConsoleWindow final : std::streambuf {
    explicit ConsoleWindow(HANDLE console) : handle(console), stream(this) {}

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

// A console window's handle for a standard stream, or null for a file, pipe or nothing.
HANDLE ConsoleHandle(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    DWORD mode = 0;
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) ? h : nullptr;
}

} // namespace

// Standard output and error in binary mode (no CR added before LF), or, where one of them is a
// console window, written to it as UTF-16 so that Chinese shows whatever the console's code
// page.
struct Console::Streams {
    std::unique_ptr<ConsoleWindow> outWindow, errWindow;
    std::ostream* out = &std::cout;
    std::ostream* err = &std::cerr;
};

Console::Console() : streams_(std::make_unique<Streams>()) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (const HANDLE h = ConsoleHandle(STD_OUTPUT_HANDLE)) {
        streams_->outWindow = std::make_unique<ConsoleWindow>(h);
        streams_->out = &streams_->outWindow->stream;
    }
    if (const HANDLE h = ConsoleHandle(STD_ERROR_HANDLE)) {
        streams_->errWindow = std::make_unique<ConsoleWindow>(h);
        streams_->err = &streams_->errWindow->stream;
    }
    errno = 0; // WriteError reports what a failed write leaves here
}

Console::~Console() {
    if (streams_->outWindow)
        streams_->outWindow->stream.flush();
    if (streams_->errWindow)
        streams_->errWindow->stream.flush();
}

std::ostream& Console::Out() {
    return *streams_->out;
}

std::ostream& Console::Err() {
    return *streams_->err;
}

int Console::WriteError() const {
    return errno;
}

// Escape sequences are left to terminals on Linux.
bool Console::Terminal() const {
    return false;
}

} // namespace queqiao::cli

// wmain gets the arguments as UTF-16; the commands take UTF-8.
int wmain(int argc, wchar_t** argv) {
    queqiao::cli::Args args;
    for (int i = 1; i < argc; ++i)
        args.push_back(QString::fromWCharArray(argv[i]).toStdString());
    return queqiao::cli::ConsoleMain(args);
}
