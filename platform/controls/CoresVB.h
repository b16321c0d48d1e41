#pragma once
// Colours as the forms give them: 32-bit VB colours, 0x00BBGGRR for a colour of its
// own (4802889 is RGB 73, 73, 73) and 0x800000nn for the system colour nn
// (0x80000012 is the button text), which follows the application's palette.

#include <QColor>

namespace CoresVB {

// QColor of a VB colour. An unknown system colour number gives the window text colour.
QColor ParaQColor(int lonCorVB);

// VB colour (0x00BBGGRR) of a QColor; the alpha channel is dropped.
int DeQColor(const QColor& cor);

// RGB(r, g, b) as VB builds it.
constexpr int RGB(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// The system colours the controls use as defaults (VB's constants).
inline constexpr int vbScrollBars = static_cast<int>(0x80000000u);
inline constexpr int vbApplicationWorkspace = static_cast<int>(0x8000000Cu);
inline constexpr int vbWindowBackground = static_cast<int>(0x80000005u);
inline constexpr int vbWindowText = static_cast<int>(0x80000008u);
inline constexpr int vbHighlight = static_cast<int>(0x8000000Du);
inline constexpr int vbHighlightText = static_cast<int>(0x8000000Eu);
inline constexpr int vbButtonFace = static_cast<int>(0x8000000Fu);
inline constexpr int vbButtonText = static_cast<int>(0x80000012u);

} // namespace CoresVB
