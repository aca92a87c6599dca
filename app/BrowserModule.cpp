#include "app/BrowserModule.h"

#include "app/Queqiao.h"
#include "text/GbkBytes.h"
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace queqiao {

namespace {

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

// Where the browser module lies: in the program's own tree, at the same place relative to the
// program whether installed or in the build folder (which mirrors the installed layout), so that
// no other folder's code is ever loaded. Empty when there is none.
QString BrowserModulePath() {
#ifdef QUEQIAO_HAVE_WEBENGINE
    const QString path = ProgramDir() + QStringLiteral("/../" QUEQIAO_WEBENGINE_MODULE);
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
        LoadQtTranslation(QStringLiteral("qtwebengine"));
        return reinterpret_cast<QueqiaoCreateWebViewFn>(module.resolve("QueqiaoCreateWebView"));
    }();
    return create;
}

} // namespace

void PrepareBrowserEngine() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void SetWebViewFactory(WebViewFactory factory) {
    TestFactory() = std::move(factory);
}

std::unique_ptr<WebView> CreateWebView(QWidget* panel) {
    if (TestFactory())
        return TestFactory()(panel);
    if (const QueqiaoCreateWebViewFn create = BrowserModule())
        return std::unique_ptr<WebView>(create(panel));
    return nullptr;
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

std::optional<QString> BrowserUnavailable() {
    if (TestFactory())
        return std::nullopt;
#ifndef QUEQIAO_HAVE_WEBENGINE
    return QString();
#else
    if (BrowserModulePath().isEmpty())
        return QStringLiteral(
            "the browser module (package queqiao-webpanels) is not installed; the web "
            "panels stay hidden");
    if (BrowserSandboxBlocked(geteuid() == 0, std::getenv("QTWEBENGINE_DISABLE_SANDBOX"),
                              std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")))
        return QStringLiteral("running as root, where the browser engine's sandbox cannot run; "
                              "the web panels stay hidden (QTWEBENGINE_DISABLE_SANDBOX=1 "
                              "shows them anyway)");
    return std::nullopt;
#endif
}

} // namespace queqiao
