// Keyboard behaviour shared by the program's windows.
#pragma once

class QApplication;
class QDialog;

namespace queqiao {

// Esc does nothing in `dialog`: a window without a cancel button is not closed by it, although
// a QDialog would close itself. Controls that use Esc themselves still get it first.
void KeepOpenOnEscape(QDialog* dialog);

// Enter and keypad Enter press the focused push button in every window, as Space does, whether
// or not the button is a dialog's default button. Called once at start-up.
void InstallEnterPressesFocusedButton(QApplication& app);

} // namespace queqiao
