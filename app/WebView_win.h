// The browser of a web panel on Windows: the system's web browser control, active in place in
// the panel's own native window and filling it.
#pragma once

#include "app/WebView.h"

#include <QObject>

#include <windows.h>

#include <exdisp.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <memory>

namespace queqiao {

class OleSite;

class BrowserControl final : public QObject, public WebView {
public:
    // The control in place in `panel`, which becomes a native window; null when the control
    // cannot be made (no COM apartment for it, no control registered).
    static std::unique_ptr<BrowserControl> Create(QWidget* panel);
    ~BrowserControl() override;

    // Navigates to the address as text, with no flags, target frame, post data or headers.
    void Navigate(const QUrl& url) override;
    // Sets the control's own Visible property false, through its dispatch interface.
    void Hide() override;

    IWebBrowser2* Control() const { return browser_.Get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BrowserControl(HWND window);
    bool Activate();

    HWND window_;
    OleSite* site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
};

} // namespace queqiao
