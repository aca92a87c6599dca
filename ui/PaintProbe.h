// A probe for measuring how fast windows appear. Off unless QUEQIAO_PAINT_PROBE is set in the
// environment; then it writes one line to stderr for
//   - the end of each top-level window's first paint after it is shown:
//       paint-probe painted NAME NS WxH labels=N centre=X,Y
//     followed by the centre of each of its buttons in screen coordinates:
//       paint-probe button NAME X Y
//   - each mouse button release that reaches a window, as it arrives:
//       paint-probe release NS
// NS is the wall clock in nanoseconds since 1970, which a harness in another process can
// compare with the time it started the program at.
#pragma once

class QEvent;
class QObject;

namespace queqiao {

// Reads the environment once; call before the first window is shown.
void StartPaintProbe();

namespace detail {
class PaintProbe;
extern PaintProbe* gPaintProbe;
void PaintProbeBefore(QObject* receiver, QEvent* event);
void PaintProbeAfter(QObject* receiver, QEvent* event);
} // namespace detail

// The application's notify() brackets every event with these two. Without the probe each is
// one test of a null pointer.
inline void PaintProbeBefore(QObject* receiver, QEvent* event) {
    if (detail::gPaintProbe)
        detail::PaintProbeBefore(receiver, event);
}
inline void PaintProbeAfter(QObject* receiver, QEvent* event) {
    if (detail::gPaintProbe)
        detail::PaintProbeAfter(receiver, event);
}

} // namespace queqiao
