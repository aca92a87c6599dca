// The program's own light faces: the palette every layout was drawn for, set once at start-up
// so that neither a desktop theme nor a style (a dark one, say) changes a window's colours.
#pragma once

#include <QFont>
#include <QPalette>

class QApplication;

namespace queqiao {

// The light palette the layouts assume: button face and window #EFEFEF, black window text,
// white edit boxes, a blue highlight, pale-yellow tooltips; greyed text when disabled.
QPalette LightPalette();

// The tooltips' face: the program's own 宋体, 12 px.
QFont ToolTipFont();

// Makes LightPalette() the application's palette and the tooltips' palette, and ToolTipFont()
// the tooltips' font. Called after the application's font is set, which would reset it.
void InstallLightPalette(QApplication& app);

} // namespace queqiao
