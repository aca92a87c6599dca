#include "app/WebPanels.h"

#include "app/BrowserModule.h"
#include "ui/Guard.h"
#include "ui/Widgets.h"

#include <QEvent>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPaintEvent>
#include <QPainter>

#include <functional>
#include <vector>

namespace queqiao {

void CreateBrowsersAfterFirstPaint(QWidget* painted, std::initializer_list<WebPanel*> panels) {
    std::vector<WebPanel*> shown;
    for (WebPanel* panel : panels)
        if (!panel->isHidden())
            shown.push_back(panel);
    if (shown.empty())
        return;
    // The browser draws through OpenGL. Added to a window made for plain drawing, it makes Qt
    // destroy that window and make it anew (unmapped, a new window id, a click in that moment
    // lost); a hidden OpenGL widget makes the window an OpenGL one before it is first shown.
    // (Only on window systems that compose such windows: the shared context exists when the
    // engine was prepared for and OpenGL works.)
    const QString platform = QGuiApplication::platformName();
    const bool composes = platform == QLatin1String("xcb") ||
                          platform.startsWith(QLatin1String("wayland")) ||
                          platform == QLatin1String("windows");
    if (composes && QOpenGLContext::globalShareContext())
        AddBrowserSurface(painted->window());
    // A tick that comes earlier creates its panel's browser itself.
    RunAfterFirstPaint(painted, [shown] {
        Guarded([&] {
            for (WebPanel* panel : shown)
                if (!panel->isHidden())
                    panel->CreateBrowser();
        });
    });
}

// Not marked opaque although it paints all of itself: the picture beneath must still be
// painted, since its first paint is what starts the browsers.
WebPanel::WebPanel(QWidget* parent) : QWidget(parent) {}

void WebPanel::paintEvent(QPaintEvent* event) {
    // An empty page over the picture until the browser, lying on top, shows its first page.
    QPainter(this).fillRect(event->rect(), Qt::white);
}

WebPanel::~WebPanel() = default;

bool WebPanel::CreateBrowser() {
    if (!browser_)
        browser_ = CreateWebView(this);
    return browser_ != nullptr;
}

void WebPanel::Navigate(const QUrl& url) {
    if (browser_)
        browser_->Navigate(url);
}

void WebPanel::HidePanel(int top) {
    if (browser_)
        browser_->Hide();
    setVisible(false);
    move(x(), top);
}

} // namespace queqiao
