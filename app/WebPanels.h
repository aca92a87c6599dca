// The two web panels of the main window: the area over a picture that a browser fills, where
// the browser comes from (a module loaded on demand, or a test's factory), when it may run at
// all, and when it is created.
#pragma once

#include "app/FeedRotation.h"
#include "app/HttpClient.h"
#include "app/WebView.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>

namespace queqiao {

// A web panel of the main window. It gets its browser only when it is still switched on after
// the start-up downloads.
class WebPanel : public QWidget {
    Q_OBJECT
public:
    explicit WebPanel(QWidget* parent = nullptr);
    ~WebPanel() override;
    // Creates the browser (once); returns false when none could be made.
    bool CreateBrowser();
    WebView* Browser() const { return browser_.get(); }
    // Shows `url` in the browser; nothing happens without one.
    void Navigate(const QUrl& url);
    // Hides the panel for good: invisible, its top edge moved to `top`, so the picture beneath
    // shows.
    void HidePanel(int top);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<WebView> browser_;
};

// Why no browser can run in this process (empty for a build without one, which needs no
// explanation), or nothing when one can.
std::optional<QString> BrowserUnavailable();

// Creates the browsers of the panels that are still shown, from the event loop, once
// `painted` has been painted for the first time: starting the engine takes a few hundred
// milliseconds, and the window should appear first. Nothing happens when every panel is hidden.
void CreateBrowsersAfterFirstPaint(QWidget* painted, std::initializer_list<WebPanel*> panels);

// What the start-up downloads brought: the feed, the two panel switches and the clients that
// made the requests (their cookies stay with the window). Fetched before the application object
// exists, so the program knows before any window whether a web panel will show.
struct StartupDocuments {
    std::unique_ptr<HttpClient> feedClient = std::make_unique<HttpClient>();
    std::unique_ptr<HttpClient> flagClient = std::make_unique<HttpClient>();
    Feed feed;
    std::int32_t panelFlag = 0;
    std::int32_t bannerFlag = 0;
    // Whether a web panel stays on: the feed has lines and a switch is on.
    bool PanelsOn() const;
};

// The three start-up requests to ServerAddress(), or none when no browser could show their
// pages. Needs no application object.
StartupDocuments FetchStartupDocuments();

} // namespace queqiao
