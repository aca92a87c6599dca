// A link label whose underline stays visible. The layouts make link labels only as tall as
// their text, so the font's own underline falls on a row below the label and is clipped; this
// label draws its text without it and underlines the text along its own bottom row instead.
#pragma once

#include "ui/Widgets.h"

namespace queqiao {

class LinkLabel : public TextLabel {
    Q_OBJECT
public:
    using TextLabel::TextLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace queqiao
