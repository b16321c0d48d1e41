#pragma once
// The keyboard as VB's events see it: KeyDown's key code (vbKey* constants) and
// Shift mask (1 Shift, 2 Ctrl, 4 Alt), and KeyPress's character code (KeyAscii).

#include <Qt>

class QKeyEvent;

namespace Teclado {

inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyEscape = 27;

// VB key code of a Qt key (0 when VB has none, as for dead keys). Digits of the
// numeric keypad are 96 to 105 as in VB; letters are the upper-case letter's code;
// Ç is 186 as on the Brazilian keyboard; other accented letters keep their Latin-1
// code.
int CodigoDaTecla(int qtTecla, Qt::KeyboardModifiers modificadores);

// VB Shift mask of the modifiers.
int EstadoDoShift(Qt::KeyboardModifiers modificadores);

// KeyAscii of a key event: the typed character's code, 8 Backspace, 13 Enter,
// 27 Escape; 0 when the key types nothing (arrows, function keys, Ctrl shortcuts).
int CodigoDoCaractere(const QKeyEvent& evento);

// The Qt key that types the given KeyAscii (Backspace, Enter and Escape by their
// keys; any other code as a plain character).
int TeclaDoCaractere(int KeyAscii);

} // namespace Teclado
