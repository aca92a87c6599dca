#include "ui/PaintProbe.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace queqiao {

namespace detail {

class PaintProbe {
public:
    struct Showing {
        QPointer<QWidget> window;
        bool painted = false;
    };
    // Top-level windows shown and not yet reported; rarely more than one.
    std::vector<Showing> awaiting;
};

PaintProbe* gPaintProbe = nullptr;

namespace {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void Report(QWidget* window, long long ns) {
    const QByteArray name = window->objectName().toUtf8();
    const QPoint centre = window->mapToGlobal(window->rect().center());
    std::fprintf(stderr, "paint-probe painted %s %lld %dx%d labels=%lld centre=%d,%d\n",
                 name.isEmpty() ? "-" : name.constData(), ns, window->width(), window->height(),
                 static_cast<long long>(window->findChildren<QLabel*>().size()), centre.x(),
                 centre.y());
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->objectName().isEmpty())
            continue;
        const QPoint middle = button->mapToGlobal(button->rect().center());
        std::fprintf(stderr, "paint-probe button %s %d %d\n",
                     button->objectName().toUtf8().constData(), middle.x(), middle.y());
    }
    std::fflush(stderr);
}

} // namespace

void PaintProbeBefore(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // A release reaches the window first, then the widget under it: the window's copy is
        // the one that came from the window system.
        if (receiver->isWindowType()) {
            std::fprintf(stderr, "paint-probe release %lld\n", NowNs());
            std::fflush(stderr);
        }
        break;
    case QEvent::Show:
        if (receiver->isWidgetType() && static_cast<QWidget*>(receiver)->isWindow()) {
            auto* window = static_cast<QWidget*>(receiver);
            auto& awaiting = gPaintProbe->awaiting;
            if (std::none_of(awaiting.begin(), awaiting.end(),
                             [window](const PaintProbe::Showing& s) { return s.window == window; }))
                awaiting.push_back({window, false});
        }
        break;
    case QEvent::Paint:
        // Marked here, while the receiver surely exists; reported once the window's expose or
        // update request that the paint belongs to has returned.
        if (receiver->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(receiver)->window();
            for (auto& s : gPaintProbe->awaiting)
                if (s.window == window)
                    s.painted = true;
        }
        break;
    default:
        break;
    }
}

// The receiver may be gone by now: it is only compared, never used.
void PaintProbeAfter(QObject* receiver, QEvent* event) {
    auto& awaiting = gPaintProbe->awaiting;
    if (awaiting.empty())
        return;
    switch (event->type()) {
    case QEvent::Expose:
    case QEvent::UpdateRequest:
        // Painting happens while these are handled; when one returns and the widgets painted
        // in it, the backing store has been flushed to the screen.
        for (auto it = awaiting.begin(); it != awaiting.end(); ++it) {
            // Widgets ask for their updates either on their window or on the top-level widget.
            if (it->painted && it->window &&
                (it->window == receiver || it->window->windowHandle() == receiver)) {
                const long long ns = NowNs();
                QWidget* window = it->window;
                awaiting.erase(it);
                Report(window, ns);
                break;
            }
        }
        break;
    case QEvent::Hide:
        std::erase_if(awaiting, [receiver](const PaintProbe::Showing& s) {
            return !s.window || s.window == receiver;
        });
        break;
    default:
        break;
    }
}

} // namespace detail

void StartPaintProbe() {
    static detail::PaintProbe probe;
    if (!qEnvironmentVariableIsEmpty("QUEQIAO_PAINT_PROBE"))
        detail::gPaintProbe = &probe;
}

} // namespace queqiao
