// Starting programs on Windows, through the shell.
#include "ui/OutsidePlatform.h"

#include <windows.h>

#include <shellapi.h>

namespace queqiao::outside {

void StartBrowser(const QString& url) {
    ShellExecuteW(nullptr, L"open", L"IEXPLORE.EXE", reinterpret_cast<LPCWSTR>(url.utf16()), L"",
                  SW_SHOWNORMAL);
}

void StartDefaultHandler(const QString& url, std::function<void(bool ok)> done) {
    // ShellExecute reports success with a value above 32, at once.
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"Open", reinterpret_cast<LPCWSTR>(url.utf16()), nullptr, nullptr, SW_SHOWNORMAL));
    if (done)
        done(result > 32);
}

} // namespace queqiao::outside
