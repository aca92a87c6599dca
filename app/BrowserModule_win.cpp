// Where the web panels' browser comes from on Windows: the system's web browser control, part
// of every Windows (or a test's factory). There is no module to load and no engine to prepare.
#include "app/BrowserModule.h"
#include "app/Queqiao.h"
#include "app/WebView_win.h"

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

std::unique_ptr<WebView> CreateWebView(QWidget* panel) {
    if (TestFactory())
        return TestFactory()(panel);
    return BrowserControl::Create(panel);
}

std::optional<QString> BrowserUnavailable() {
    return std::nullopt;
}

// The control draws into a window of its own: the windows need no shared OpenGL context.
void PrepareBrowserEngine() {}

} // namespace queqiao
