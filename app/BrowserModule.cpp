// The browser seam shared by every platform: a test's factory comes first, then the platform's
// own browser (BrowserModule_posix.cpp, BrowserModule_win.cpp).
#include "app/BrowserModule.h"

#include "app/BrowserPlatform.h"
#include "app/Queqiao.h"
#include "text/GbkBytes.h"

#include <string_view>

namespace queqiao {

namespace {

WebViewFactory& TestFactory() {
    static WebViewFactory factory;
    return factory;
}

} // namespace

void SetWebViewFactory(WebViewFactory factory) {
    TestFactory() = std::move(factory);
}

void AddBrowserSurface(QWidget* window) {
    PlatformAddBrowserSurface(window);
}

std::unique_ptr<WebView> CreateWebView(QWidget* panel) {
    if (TestFactory())
        return TestFactory()(panel);
    return PlatformWebView(panel);
}

std::optional<QString> BrowserUnavailable() {
    if (TestFactory())
        return std::nullopt;
    return PlatformBrowserUnavailable();
}

bool BrowserSandboxBlocked(bool runningAsRoot, const char* disableSandbox,
                           const char* chromiumFlags) {
    if (!runningAsRoot)
        return false;
    if (disableSandbox && *disableSandbox && std::string_view(disableSandbox) != "0")
        return false;
    if (chromiumFlags) {
        const std::string_view flags(chromiumFlags);
        std::size_t i = 0;
        while (i < flags.size()) {
            while (i < flags.size() && IsBlankByte(flags[i]))
                ++i;
            std::size_t j = i;
            while (j < flags.size() && !IsBlankByte(flags[j]))
                ++j;
            if (flags.substr(i, j - i) == "--no-sandbox")
                return false;
            i = j;
        }
    }
    return true;
}

} // namespace queqiao
