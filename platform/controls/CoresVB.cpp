#include "platform/controls/CoresVB.h"

#include <QGuiApplication>
#include <QPalette>

namespace CoresVB {

namespace {

// The system colour numbers of VB (COLOR_* of the platform it came from) mapped to the
// palette roles that play the same part here.
QPalette::ColorRole PapelDoSistema(int numero) {
    switch (numero) {
    case 0x05:
        return QPalette::Base; // window background
    case 0x06:
        return QPalette::Shadow; // window frame
    case 0x07:
        return QPalette::WindowText; // menu text
    case 0x08:
        return QPalette::Text; // window text
    case 0x0D:
        return QPalette::Highlight; // selected items
    case 0x0E:
        return QPalette::HighlightedText; // text of selected items
    case 0x0F:
        return QPalette::Button; // button face
    case 0x10:
        return QPalette::Dark; // button shadow
    case 0x11:
        return QPalette::PlaceholderText; // grey (disabled) text
    case 0x12:
        return QPalette::ButtonText; // button text
    case 0x14:
        return QPalette::Light; // button highlight
    case 0x15:
        return QPalette::Shadow; // 3D dark shadow
    case 0x16:
        return QPalette::Midlight; // 3D light
    case 0x17:
        return QPalette::ToolTipText;
    case 0x18:
        return QPalette::ToolTipBase;
    case 0x00: // scroll bars
    case 0x01: // desktop
    case 0x04: // menu bar
    case 0x0C: // application workspace
        return QPalette::Window;
    default:
        return QPalette::WindowText;
    }
}

} // namespace

QColor ParaQColor(int lonCorVB) {
    const auto valor = static_cast<unsigned int>(lonCorVB);
    if (valor & 0x80000000u) {
        const QPalette paleta = QGuiApplication::palette();
        return paleta.color(QPalette::Active, PapelDoSistema(static_cast<int>(valor & 0xFFu)));
    }
    return QColor(valor & 0xFF, (valor >> 8) & 0xFF, (valor >> 16) & 0xFF);
}

int DeQColor(const QColor& cor) {
    return RGB(cor.red(), cor.green(), cor.blue());
}

} // namespace CoresVB
