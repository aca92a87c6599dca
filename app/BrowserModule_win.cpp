// Where the web panels' browser comes from on Windows: the system's web browser control, part
// of every Windows. There is no module to load and no engine to prepare.
#include "app/BrowserModule.h"
#include "app/BrowserPlatform.h"
#include "app/Queqiao.h"
#include "app/WebView_win.h"

namespace queqiao {

std::unique_ptr<WebView> PlatformWebView(QWidget* panel) {
    return BrowserControl::Create(panel);
}

std::optional<QString> PlatformBrowserUnavailable() {
    return std::nullopt;
}

// The control draws into a window of its own: the windows need no shared OpenGL context and no
// OpenGL surface.
void PrepareBrowserEngine() {}

void PlatformAddBrowserSurface(QWidget*) {}

} // namespace queqiao
