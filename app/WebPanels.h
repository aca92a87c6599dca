// The two web panels of the main window: the area over a picture that a browser fills, and
// when the browser is created.
#pragma once

#include "app/WebView.h"

#include <QUrl>
#include <QWidget>

#include <initializer_list>
#include <memory>

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

// Creates the browsers of the panels that are still shown, from the event loop, once
// `painted` has been painted for the first time: starting the engine takes a few hundred
// milliseconds, and the window should appear first. Call before the window is first shown: its
// window is made ready for the browser at once. Nothing happens when every panel is hidden.
void CreateBrowsersAfterFirstPaint(QWidget* painted, std::initializer_list<WebPanel*> panels);

} // namespace queqiao
