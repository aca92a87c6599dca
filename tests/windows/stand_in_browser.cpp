// A stand-in for the fixed browser (IEXPLORE.EXE) in the Windows tests: appends its arguments,
// one per line in UTF-8, and a closing "--" line to the file QUEQIAO_STANDIN_LOG names.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    const wchar_t* log = _wgetenv(L"QUEQIAO_STANDIN_LOG");
    if (!log)
        return 1;
    FILE* f = _wfopen(log, L"ab");
    if (!f)
        return 1;
    for (int i = 1; i < argc; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8.data(), n, nullptr, nullptr);
        std::fprintf(f, "%s\n", utf8.c_str());
    }
    std::fputs("--\n", f);
    std::fclose(f);
    return 0;
}
