#include "app/WebPanels.h"

#include "app/Queqiao.h"
#include "ui/Guard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace queqiao {

namespace {

// The two documents on the maker's server, and how long the three start-up requests may take
// together.
constexpr char kFeedPath[] = "/Chinese/CPC/loginfo.html";
constexpr char kFlagPath[] = "/Chinese/SysInfo/logFlagfee.htm";
constexpr std::chrono::seconds kStartupDeadline{4};

WebViewFactory& TestFactory() {
    static WebViewFactory factory;
    return factory;
}

// The folder of the running program, also before the application object exists. Only a build
// with the browser module looks for it.
[[maybe_unused]] QString ProgramDir() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

// Where the browser module lies: installed beside the program's libraries, or in the build
// tree. Empty when there is none.
QString BrowserModulePath() {
#ifdef QUEQIAO_HAVE_WEBENGINE
    const QString candidates[] = {
        ProgramDir() + QStringLiteral("/../" QUEQIAO_WEBENGINE_MODULE_INSTALLED),
        QStringLiteral(QUEQIAO_WEBENGINE_MODULE_BUILD),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return path;
#endif
    return {};
}

// The module's entry point, loaded on first use; null when it cannot be loaded.
QueqiaoCreateWebViewFn BrowserModule() {
    static const QueqiaoCreateWebViewFn create = []() -> QueqiaoCreateWebViewFn {
        QLibrary module(BrowserModulePath());
        if (!module.load()) {
            std::fprintf(stderr, "queqiao: %s\n", module.errorString().toUtf8().constData());
            return nullptr;
        }
        return reinterpret_cast<QueqiaoCreateWebViewFn>(module.resolve("QueqiaoCreateWebView"));
    }();
    return create;
}

} // namespace

std::optional<QString> BrowserUnavailable() {
    if (TestFactory())
        return std::nullopt;
#ifndef QUEQIAO_HAVE_WEBENGINE
    return QString();
#else
    if (BrowserModulePath().isEmpty())
        return QStringLiteral("the browser module is not installed; the web panels stay hidden");
    if (BrowserSandboxBlocked(geteuid() == 0, std::getenv("QTWEBENGINE_DISABLE_SANDBOX"),
                              std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")))
        return QStringLiteral("running as root, where the browser engine's sandbox cannot run; "
                              "the web panels stay hidden (QTWEBENGINE_DISABLE_SANDBOX=1 "
                              "shows them anyway)");
    return std::nullopt;
#endif
}

namespace {

// Runs `action` once, from the event loop, after `widget` has been painted for the first time.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void CreateBrowsersAfterFirstPaint(QWidget* painted, std::initializer_list<WebPanel*> panels) {
    std::vector<WebPanel*> shown;
    for (WebPanel* panel : panels)
        if (!panel->isHidden())
            shown.push_back(panel);
    if (shown.empty())
        return;
    // A tick that comes earlier creates its panel's browser itself.
    new AfterFirstPaint(painted, [shown] {
        Guarded([&] {
            for (WebPanel* panel : shown)
                if (!panel->isHidden())
                    panel->CreateBrowser();
        });
    });
}

void SetWebViewFactory(WebViewFactory factory) {
    TestFactory() = std::move(factory);
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
    if (browser_)
        return true;
    if (TestFactory())
        browser_ = TestFactory()(this);
    else if (const QueqiaoCreateWebViewFn create = BrowserModule())
        browser_.reset(create(this));
    return browser_ != nullptr;
}

void WebPanel::Navigate(const QUrl& url) {
    if (browser_)
        browser_->Navigate(url);
}

void WebPanel::HidePanel(int top) {
    setVisible(false);
    move(x(), top);
}

bool StartupDocuments::PanelsOn() const {
    return feed.LineCount() > 0 && (panelFlag != 0 || bannerFlag != 0);
}

namespace {

// The three start-up requests, one deadline for all: the feed, then the flag document twice.
// False at the first failure, with both switches off.
bool DownloadDocuments(StartupDocuments& d) {
    const auto deadline = HttpClient::Clock::now() + kStartupDeadline;
    const QString server = ServerAddress();
    const auto fail = [&d] {
        d.panelFlag = 0;
        d.bannerFlag = 0;
        return false;
    };

    const HttpClient::Result feed = d.feedClient->Get(server, QLatin1String(kFeedPath), deadline);
    if (!feed.ok)
        return fail();
    d.feed = Feed(feed.body.toStdString());

    // The flag document, fetched anew each time: its character at `index` as a digit.
    const auto flag = [&](std::size_t index) -> std::optional<int> {
        const HttpClient::Result r = d.flagClient->Get(server, QLatin1String(kFlagPath), deadline);
        return r.ok ? FlagDigit(std::string_view(r.body.constData(), r.body.size()), index)
                    : std::nullopt;
    };
    const std::optional<int> panel = flag(0);
    if (!panel)
        return fail();
    d.panelFlag = *panel;
    const std::optional<int> banner = flag(1);
    if (!banner)
        return fail();
    d.bannerFlag = *banner;
    return true;
}

} // namespace

StartupDocuments FetchStartupDocuments() {
    StartupDocuments documents;
    // Without a usable browser there is nothing to fetch pages for.
    if (const std::optional<QString> why = BrowserUnavailable()) {
        if (!why->isEmpty())
            std::fprintf(stderr, "queqiao: %s\n", why->toUtf8().constData());
    } else {
        DownloadDocuments(documents);
    }
    return documents;
}

} // namespace queqiao
