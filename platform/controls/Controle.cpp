#include "platform/controls/Controle.h"

#include "contracts/VB.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Twips.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace {

// The control that holds the focus in each window: a window that is activated again
// hands the focus back without a second GotFocus, and a control that takes the focus
// while its window was inactive still closes the previous control with LostFocus.
QHash<const QWidget*, QPointer<Controle>>& ControlesComFoco() {
    static QHash<const QWidget*, QPointer<Controle>> controles;
    return controles;
}

bool MotivoDeJanela(Qt::FocusReason motivo) {
    return motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason ||
           motivo == Qt::MenuBarFocusReason;
}

// The widget that a mouse press on w would give the focus to, as QApplication
// decides it: the first enabled widget from w up to its window that accepts focus by
// click, followed to the end of its focus proxies.
QWidget* AlvoDoClique(QWidget* w) {
    for (QWidget* f = w; f; f = f->parentWidget()) {
        QWidget* alvo = f;
        while (alvo->focusProxy())
            alvo = alvo->focusProxy();
        if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus) && (alvo->focusPolicy() & Qt::ClickFocus))
            return alvo;
        if (f->isWindow()) break;
    }
    return nullptr;
}

QWidget* WidgetDaJanela(QWindow* janela) {
    const auto janelas = QApplication::topLevelWidgets();
    for (QWidget* w : janelas)
        if (w->windowHandle() == janela) return w;
    return nullptr;
}

// Runs Validate of the control that holds the focus before the focus may leave it.
// A mouse press is caught at its window, before Qt moves the focus, so that a
// cancelled Validate also cancels the press (the other control is not clicked).
class GuardaDeValidacao : public QObject {
public:
    static GuardaDeValidacao& Instancia() {
        static QPointer<GuardaDeValidacao> guarda; // one per application object
        if (!guarda) guarda = new GuardaDeValidacao(qApp);
        return *guarda;
    }

    // destino: the widget that would take the focus, or null when not known (Tab).
    bool PodeMoverOFocoPara(QWidget* destino) {
        QWidget* atual = QApplication::focusWidget();
        if (mbooValidando || !atual) return true;
        Controle* dono = Controle::DonoDe(atual);
        if (!dono) return true;
        if (destino) {
            if (destino == dono || dono->isAncestorOf(destino) || destino->window() != atual->window())
                return true;
            const Controle* donoDoDestino = Controle::DonoDe(destino);
            if (donoDoDestino && !donoDoDestino->CausesValidation()) return true;
        }
        mbooValidando = true;
        struct Fim {
            bool& flag;
            ~Fim() { flag = false; }
        } fim{mbooValidando};
        return dono->ValidarSaida();
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::MouseButtonPress && objeto->isWindowType())
            return !PressaoPermitida(static_cast<QWindow*>(objeto), static_cast<QMouseEvent*>(evento));
        if (evento->type() == QEvent::KeyPress && objeto == QApplication::focusWidget()) {
            const auto* tecla = static_cast<QKeyEvent*>(evento);
            const bool tab = tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab;
            if (tab && !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                return !PodeMoverOFocoPara(nullptr);
        }
        return false;
    }

private:
    explicit GuardaDeValidacao(QObject* pai) : QObject(pai) { qApp->installEventFilter(this); }

    bool PressaoPermitida(QWindow* janela, QMouseEvent* evento) {
        QWidget* topo = WidgetDaJanela(janela);
        if (!topo) return true;
        QWidget* alvo = topo->childAt(evento->position().toPoint());
        QWidget* destino = AlvoDoClique(alvo ? alvo : topo);
        if (!destino || destino == QApplication::focusWidget()) return true;
        return PodeMoverOFocoPara(destino);
    }

    bool mbooValidando = false;
};

} // namespace

Controle::Controle(QWidget* pai, const QString& nome) : QWidget(pai) {
    setObjectName(nome);
    setFont(Aparencia::Fonte());
    GuardaDeValidacao::Instancia();
}

Controle::~Controle() {
    auto& controles = ControlesComFoco();
    for (auto it = controles.begin(); it != controles.end();)
        it = (it.value() == this || it.value().isNull()) ? controles.erase(it) : std::next(it);
}

int Controle::Left() const {
    return Twips::ParaPixels(mlonLeft) == x() ? mlonLeft : Twips::DePixels(x());
}
int Controle::Top() const {
    return Twips::ParaPixels(mlonTop) == y() ? mlonTop : Twips::DePixels(y());
}
int Controle::Width() const {
    return Twips::ParaPixels(mlonWidth) == width() ? mlonWidth : Twips::DePixels(width());
}
int Controle::Height() const {
    return Twips::ParaPixels(mlonHeight) == height() ? mlonHeight : Twips::DePixels(height());
}

void Controle::setLeft(int twips) {
    mlonLeft = twips;
    move(Twips::ParaPixels(twips), y());
}

void Controle::setTop(int twips) {
    mlonTop = twips;
    move(x(), Twips::ParaPixels(twips));
}

void Controle::setWidth(int twips) {
    if (twips < 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mlonWidth = twips;
    resize(Twips::ParaPixels(twips), height());
}

void Controle::setHeight(int twips) {
    if (twips < 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mlonHeight = twips;
    resize(width(), Twips::ParaPixels(twips));
}

bool Controle::Visible() const {
    return parentWidget() ? isVisibleTo(parentWidget()) : isVisible();
}

bool Controle::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void Controle::setToolTipText(const QString& texto) {
    mstrToolTipText = texto;
    AtualizarDica();
}

void Controle::AtualizarDica() {
    setToolTip(TextoDaDica());
}

void Controle::setFontName(const QString& nome) {
    QFont fonte = font();
    fonte.setFamily(nome);
    setFont(fonte);
}

void Controle::setFontSize(qreal pontos) {
    if (pontos <= 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    QFont fonte = font();
    fonte.setPointSizeF(pontos);
    setFont(fonte);
}

void Controle::setFontBold(bool valor) {
    QFont fonte = font();
    fonte.setBold(valor);
    setFont(fonte);
}

void Controle::SetFocus() {
    // VB refuses the focus to a control that cannot take it (error 5). A window that
    // is not shown yet is no reason: the control gets the focus when it appears.
    const bool janelaExibida = window()->isVisible();
    if ((janelaExibida && !isVisible()) || !Visible() || !isEnabled())
        throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    QWidget* alvo = focusProxy() ? focusProxy() : this;
    if (QApplication::focusWidget() == alvo) return;
    if (!GuardaDeValidacao::Instancia().PodeMoverOFocoPara(alvo)) return;
    if (janelaExibida && !window()->isActiveWindow()) window()->activateWindow();
    alvo->setFocus(Qt::OtherFocusReason);
}

void Controle::ZOrder(int Posicao) {
    if (Posicao == 0)
        raise();
    else
        lower();
}

void Controle::Move(int lonLeft, int lonTop, int lonWidth, int lonHeight) {
    setLeft(lonLeft);
    if (lonTop != INT_MIN) setTop(lonTop);
    if (lonWidth != INT_MIN) setWidth(lonWidth);
    if (lonHeight != INT_MIN) setHeight(lonHeight);
}

void Controle::Refresh() {
    repaint();
}

bool Controle::ValidarSaida() {
    bool Cancel = false;
    emit Validate(Cancel);
    return !Cancel;
}

Controle* Controle::DonoDe(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* controle = qobject_cast<Controle*>(w)) return controle;
    return nullptr;
}

void Controle::DefinirAlvoDoFoco(QWidget* alvo) {
    setFocusProxy(alvo);
    setFocusPolicy(alvo->focusPolicy());
    alvo->installEventFilter(this);
}

bool Controle::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == focusProxy()) {
        if (evento->type() == QEvent::FocusIn)
            RegistrarEntradaDoFoco(static_cast<QFocusEvent*>(evento)->reason());
        else if (evento->type() == QEvent::FocusOut)
            RegistrarSaidaDoFoco(static_cast<QFocusEvent*>(evento)->reason());
    }
    return QWidget::eventFilter(objeto, evento);
}

void Controle::focusInEvent(QFocusEvent* evento) {
    QWidget::focusInEvent(evento);
    RegistrarEntradaDoFoco(evento->reason());
}

void Controle::focusOutEvent(QFocusEvent* evento) {
    QWidget::focusOutEvent(evento);
    RegistrarSaidaDoFoco(evento->reason());
}

void Controle::RegistrarEntradaDoFoco(Qt::FocusReason) {
    update();
    if (mbooTemFoco) return; // the window came back: the control never lost the focus
    QPointer<Controle>& anterior = ControlesComFoco()[window()];
    if (anterior && anterior != this && anterior->mbooTemFoco) {
        anterior->mbooTemFoco = false;
        emit anterior->LostFocus();
    }
    anterior = this;
    mbooTemFoco = true;
    emit GotFocus();
}

void Controle::RegistrarSaidaDoFoco(Qt::FocusReason motivo) {
    update();
    // A window disabled while it waits (its waiting panel up) takes the focus from the
    // control as a switch to another window does: the control keeps it, raising nothing,
    // and gets it back without a GotFocus.
    if (MotivoDeJanela(motivo) || !window()->isEnabled() || !mbooTemFoco) return;
    mbooTemFoco = false;
    ControlesComFoco().remove(window());
    emit LostFocus();
}
