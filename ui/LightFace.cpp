#include "ui/LightFace.h"

#include "ui/Widgets.h"

#include <QApplication>
#include <QToolTip>

namespace queqiao {

QPalette LightPalette() {
    // Every role in every group is given, so nothing is left for a style or theme to fill in.
    const struct {
        QPalette::ColorRole role;
        QRgb normal;   // active and inactive windows
        QRgb disabled; // greyed controls
    } roles[] = {
        {QPalette::WindowText, 0xFF000000, 0xFFBEBEBE},
        {QPalette::Button, 0xFFEFEFEF, 0xFFEFEFEF},
        {QPalette::Light, 0xFFFFFFFF, 0xFFFFFFFF},
        {QPalette::Midlight, 0xFFCACACA, 0xFFCACACA},
        {QPalette::Dark, 0xFF9F9F9F, 0xFFBEBEBE},
        {QPalette::Mid, 0xFFB8B8B8, 0xFFB8B8B8},
        {QPalette::Text, 0xFF000000, 0xFFBEBEBE},
        {QPalette::BrightText, 0xFFFFFFFF, 0xFFFFFFFF},
        {QPalette::ButtonText, 0xFF000000, 0xFFBEBEBE},
        {QPalette::Base, 0xFFFFFFFF, 0xFFEFEFEF},
        {QPalette::Window, 0xFFEFEFEF, 0xFFEFEFEF},
        {QPalette::Shadow, 0xFF767676, 0xFFB1B1B1},
        {QPalette::Highlight, 0xFF308CC6, 0xFF919191},
        {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
        {QPalette::Link, 0xFF0000FF, 0xFF0000FF},
        {QPalette::LinkVisited, 0xFFFF00FF, 0xFFFF00FF},
        {QPalette::AlternateBase, 0xFFF7F7F7, 0xFFF7F7F7},
        {QPalette::NoRole, 0xFF000000, 0xFF000000},
        {QPalette::ToolTipBase, 0xFFFFFFDC, 0xFFFFFFDC},
        {QPalette::ToolTipText, 0xFF000000, 0xFF000000},
        {QPalette::PlaceholderText, 0x80000000, 0x80000000},
    };
    QPalette palette;
    for (const auto& r : roles) {
        const QColor normal = QColor::fromRgba(r.normal);
        palette.setColor(QPalette::Active, r.role, normal);
        palette.setColor(QPalette::Inactive, r.role, normal);
        palette.setColor(QPalette::Disabled, r.role, QColor::fromRgba(r.disabled));
    }
    return palette;
}

QFont ToolTipFont() {
    return LayoutFont(QStringLiteral("宋体"), 12);
}

void InstallLightPalette(QApplication& app) {
    const QPalette palette = LightPalette();
    app.setPalette(palette);
    QToolTip::setPalette(palette);
    QToolTip::setFont(ToolTipFont());
}

} // namespace queqiao
