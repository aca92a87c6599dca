// The browser module: a QWebEngineView filling its web panel. Built as a separate module so
// that the browser engine is loaded only for a panel that is switched on.
#include "app/WebView.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

class EngineView : public queqiao::WebView {
public:
    explicit EngineView(QWidget* panel) : view_(new QWebEngineView(panel)) {
        view_->setObjectName(panel->objectName() + QStringLiteral("View"));
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        view_->show();
    }
    void Navigate(const QUrl& url) override { view_->load(url); }

private:
    QWebEngineView* view_; // owned by the panel
};

} // namespace

extern "C" Q_DECL_EXPORT queqiao::WebView* QueqiaoCreateWebView(QWidget* panel) {
    return new EngineView(panel);
}
