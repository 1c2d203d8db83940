#include "ui/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace ui {

QColor color(quint32 value) {
    if ((value & 0xFF000000u) == 0xFF000000u) {
        const QPalette p = QGuiApplication::palette();
        switch (value & 0xFFu) {
            case 0x05:
                return p.color(QPalette::Base);
            case 0x08:
                return p.color(QPalette::Text);
            case 0x0D:
                return p.color(QPalette::Highlight);
            case 0x0E:
                return p.color(QPalette::HighlightedText);
            case 0x0F:
                return p.color(QPalette::Button);
            case 0x12:
                return p.color(QPalette::ButtonText);
            default:
                return p.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace ui
