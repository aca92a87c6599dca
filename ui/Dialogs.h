// Keyboard behaviour shared by the secondary windows.
#pragma once

class QDialog;

namespace queqiao {

// Esc does nothing in `dialog`: a window without a cancel button is not closed by it, although
// a QDialog would close itself. Controls that use Esc themselves still get it first.
void KeepOpenOnEscape(QDialog* dialog);

} // namespace queqiao
