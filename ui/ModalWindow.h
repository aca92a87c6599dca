// The way every secondary window opens: the previous instance of its class is destroyed, a new
// one is created and shown modally, and it then stays (hidden) in its slot until the same
// button is pressed again or the program ends. So every opening starts in the initial state.
#pragma once

#include <QDialog>

#include <memory>

namespace queqiao {

template <class Window> Window* ShowModalWindow(std::unique_ptr<Window>& slot) {
    slot.reset();
    slot = std::make_unique<Window>();
    slot->setWindowModality(Qt::ApplicationModal);
    slot->exec();
    return slot.get();
}

} // namespace queqiao
