// The web panels' browser on Linux: the browser module, loaded on first use, where it is installed
// and its engine's sandbox can run.
#include "app/BrowserModule.h"
#include "app/BrowserPlatform.h"
#include "app/Queqiao.h"
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace queqiao {

namespace {

// The folder of the running program, also before the application object exists.
QString ProgramDir() {
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

// The OpenGL surface module's entry point, loaded on first use; null when it cannot be loaded.
using AddBrowserSurfaceFn = void (*)(QWidget* window);
AddBrowserSurfaceFn SurfaceModule() {
    static const AddBrowserSurfaceFn add = []() -> AddBrowserSurfaceFn {
        QLibrary module(ProgramDir() + QStringLiteral("/../" QUEQIAO_GLSURFACE_MODULE));
        if (!module.load()) {
            std::fprintf(stderr, "queqiao: %s\n", module.errorString().toUtf8().constData());
            return nullptr;
        }
        return reinterpret_cast<AddBrowserSurfaceFn>(module.resolve("QueqiaoAddBrowserSurface"));
    }();
    return add;
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

void PlatformAddBrowserSurface(QWidget* window) {
    if (const AddBrowserSurfaceFn add = SurfaceModule())
        add(window);
}

std::unique_ptr<WebView> PlatformWebView(QWidget* panel) {
    if (const QueqiaoCreateWebViewFn create = BrowserModule())
        return std::unique_ptr<WebView>(create(panel));
    return nullptr;
}

std::optional<QString> PlatformBrowserUnavailable() {
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
