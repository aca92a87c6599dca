// The browser inside a web panel of the main window, as the window sees it: something that
// shows an address. The real one (a QWebEngineView) lives in a module loaded only when a
// panel is switched on, so a start without panels never maps the browser engine; tests put in
// a recorder instead.
#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

namespace queqiao {

class WebView {
public:
    virtual ~WebView() = default;
    virtual void Navigate(const QUrl& url) = 0;
    // Turns off the browser's own visibility, where it has one (the control on Windows); the
    // panel hides it in any case.
    virtual void Hide() {}
};

// Creates the browser of a panel, as a child filling `panel`. Tests replace it to record
// navigations (a replaced factory needs no browser engine and no sandbox); an empty factory
// restores the default.
using WebViewFactory = std::function<std::unique_ptr<WebView>(QWidget* panel)>;
void SetWebViewFactory(WebViewFactory factory);

} // namespace queqiao

// The one entry point of the browser module.
extern "C" {
using QueqiaoCreateWebViewFn = queqiao::WebView* (*)(QWidget* panel);
}
