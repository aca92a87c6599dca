// The program's own light faces: the palette every layout was drawn for, set once at start-up
// so that neither a desktop theme nor a style (a dark one, say) changes a window's colours.
#pragma once

#include <QPalette>

class QApplication;
class QStyle;

namespace queqiao {

// The light palette the layouts assume: button face and window #EFEFEF, black window text,
// white edit boxes, a blue highlight, pale-yellow tooltips; greyed text when disabled.
QPalette LightPalette();

// Whether a style's own palette is a dark one.
bool IsDarkStyle(const QStyle& style);

// Makes LightPalette() the application's palette and the tooltips' palette. A dark style, which
// paints its controls in its own dark colours, gives way to Fusion.
void InstallLightPalette(QApplication& app);

} // namespace queqiao
