#pragma once
// Everything the component asks of its platform, each in one place, each
// replaceable by a test that stands in for a person: message boxes, modal display,
// window handles, the Shift+Home keystroke and the pause.

#include "contracts/ComponentesDaSuite.h"

#include <QRect>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace Plataforma {

// ---- Message boxes (VB's MsgBox: buttons and icon as flags, answer as a code)
enum BotoesEIcone : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
};
enum Resposta : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

int MsgBox(const QString& texto, int botoesEIcone, const QString& titulo);
using RespostaDeMsgBox = std::function<int(const QString& texto, int botoesEIcone, const QString& titulo)>;
void SubstituirMsgBox(RespostaDeMsgBox resposta); // an empty function restores the real one

// ---- Modal display. Hiding the form ends its display, as hiding a VB form ends
// Show vbModal. A test may script what happens while the form is "on screen".
void ExibirModal(QWidget* formulario);
using ExibicaoModal = std::function<void(QWidget* formulario)>;
void SubstituirExibicaoModal(ExibicaoModal exibicao);

// ---- Context menus (VB's PopupMenu): the menu at a point of the screen, modal, until the
// person chooses an entry (its action is triggered) or closes it; the entry chosen, or
// none. A test chooses in the person's place: its answer is triggered when it is an
// enabled, visible entry of the menu, and nothing happens otherwise.
QAction* PopupMenu(QMenu* menu, const QPoint& global);
using EscolhaNoMenu = std::function<QAction*(QMenu* menu)>;
void SubstituirPopupMenu(EscolhaNoMenu escolha); // an empty function restores the real one

// ---- Window handles. A handle names a widget for as long as it lives; 0 is none.
HWnd Handle(QWidget* janela);
QWidget* JanelaDoHandle(HWnd hWnd);
// Makes the window a child of the window hWnd, filling it and following its size.
void SetParent(QWidget* filho, HWnd hWndPai);
QRect GetClientRect(HWnd hWnd);
// CreateRoundRectRgn on the client rectangle with ellipse size (raio, raio), then
// SetWindowRgn: the window shows only inside the rounded rectangle.
void DefinirRegiaoArredondada(HWnd hWnd, int raio);
bool TemRegiao(HWnd hWnd);

// ---- Keystrokes sent to the focused control; the forms send only "+({HOME})"
// (Shift+Home: select the typed text back to its start).
void SendKeys(const QString& teclas);

// ---- The pause: waits on a monotonic clock while window events go on being
// processed. Tests may shorten it by a factor; the product never does.
void Pausar(double segundos);
void DefinirFatorDaPausa(double fator);

} // namespace Plataforma
