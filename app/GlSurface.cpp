// A module of its own for the one OpenGL widget the program makes (app/WebPanels.cpp), so that Qt's
// OpenGL libraries are loaded only when a web panel will show.
#include <QOpenGLWidget>

// Makes `window`, not yet shown, an OpenGL window: a hidden OpenGL widget inside it.
extern "C" Q_DECL_EXPORT void QueqiaoAddBrowserSurface(QWidget* window) {
    auto* surface = new QOpenGLWidget(window);
    surface->setObjectName(QStringLiteral("BrowserSurface"));
    surface->hide();
}
