#include "platform/Plataforma.h"

#include "contracts/VB.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRegion>
#include <QTimer>
#include <QWidget>

namespace Plataforma {
namespace {

RespostaDeMsgBox& MsgBoxSubstituta() {
    static RespostaDeMsgBox resposta;
    return resposta;
}

ExibicaoModal& ExibicaoSubstituta() {
    static ExibicaoModal exibicao;
    return exibicao;
}

EscolhaNoMenu& EscolhaSubstituta() {
    static EscolhaNoMenu escolha;
    return escolha;
}

double& FatorDaPausa() {
    static double fator = 1.0;
    return fator;
}

QMessageBox::Icon IconeDe(int botoesEIcone) {
    switch (botoesEIcone & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Two buttons, the first answering "sim", the second "nao"; Escape is the second.
int DuasRespostas(QMessageBox& caixa, int botoesEIcone, const QString& primeiro, int sim,
                  const QString& segundo, int nao, QMessageBox::ButtonRole papelDoSegundo) {
    QPushButton* botaoSim = caixa.addButton(primeiro, QMessageBox::AcceptRole);
    QPushButton* botaoNao = caixa.addButton(segundo, papelDoSegundo);
    caixa.setDefaultButton((botoesEIcone & vbDefaultButton2) ? botaoNao : botaoSim);
    caixa.setEscapeButton(botaoNao);
    caixa.exec();
    return caixa.clickedButton() == botaoSim ? sim : nao;
}

int MsgBoxReal(const QString& texto, int botoesEIcone, const QString& titulo) {
    QMessageBox caixa(IconeDe(botoesEIcone), titulo, texto);
    switch (botoesEIcone & 0x7) {
    case vbYesNo:
        return DuasRespostas(caixa, botoesEIcone, QStringLiteral("&Sim"), vbYes, QStringLiteral("&Não"), vbNo,
                             QMessageBox::NoRole);
    case vbOKCancel:
        return DuasRespostas(caixa, botoesEIcone, QStringLiteral("OK"), vbOK, QStringLiteral("Cancelar"),
                             vbCancel, QMessageBox::RejectRole);
    default:
        caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        caixa.exec();
        return vbOK;
    }
}

// Ends the nested loop of a modal display when the form is hidden or destroyed.
class FimDaExibicao : public QObject {
public:
    FimDaExibicao(QWidget* formulario, QEventLoop* laco) : QObject(formulario), mlaco(laco) {
        formulario->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Hide) mlaco->quit();
        return false;
    }

private:
    QEventLoop* mlaco;
};

void ExibirModalReal(QWidget* formulario) {
    if (auto* dialogo = qobject_cast<QDialog*>(formulario)) {
        dialogo->exec();
        return;
    }
    QEventLoop laco;
    QPointer<QWidget> vivo(formulario);
    auto* fim = new FimDaExibicao(formulario, &laco);
    QObject::connect(formulario, &QObject::destroyed, &laco, &QEventLoop::quit);
    formulario->setWindowModality(Qt::ApplicationModal);
    formulario->show();
    if (formulario->isVisible()) laco.exec(QEventLoop::DialogExec);
    if (vivo) {
        delete fim;
        formulario->setWindowModality(Qt::NonModal);
    }
}

// Handles are kept in a table instead of asking each widget for winId(): winId()
// turns a child widget into a native window, which changes how it paints and
// composes (the dark cover and the rounded panels are child widgets).
struct TabelaDeHandles {
    QHash<HWnd, QPointer<QWidget>> janelas;
    HWnd proximo = 0x10000;
};

TabelaDeHandles& Handles() {
    static TabelaDeHandles tabela;
    return tabela;
}

const char* const PropriedadeDoHandle = "_zelt_hWnd";

// Keeps a docked window as large as its parent.
class AcompanhadorDeTamanho : public QObject {
public:
    AcompanhadorDeTamanho(QWidget* filho, QWidget* pai) : QObject(filho), mfilho(filho) {
        pai->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Resize && mfilho && objeto == mfilho->parentWidget())
            mfilho->setGeometry(mfilho->parentWidget()->rect());
        return false;
    }

private:
    QPointer<QWidget> mfilho;
};

} // namespace

int MsgBox(const QString& texto, int botoesEIcone, const QString& titulo) {
    if (MsgBoxSubstituta()) return MsgBoxSubstituta()(texto, botoesEIcone, titulo);
    return MsgBoxReal(texto, botoesEIcone, titulo);
}

void SubstituirMsgBox(RespostaDeMsgBox resposta) {
    MsgBoxSubstituta() = std::move(resposta);
}

void ExibirModal(QWidget* formulario) {
    if (!formulario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    if (ExibicaoSubstituta()) {
        // The stand-in sees the form as it would be on screen, then its display ends.
        formulario->show();
        ExibicaoSubstituta()(formulario);
        return;
    }
    ExibirModalReal(formulario);
}

void SubstituirExibicaoModal(ExibicaoModal exibicao) {
    ExibicaoSubstituta() = std::move(exibicao);
}

QAction* PopupMenu(QMenu* menu, const QPoint& global) {
    if (!menu) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    if (!EscolhaSubstituta()) return menu->exec(global);
    QAction* escolhida = EscolhaSubstituta()(menu);
    if (!escolhida || !menu->actions().contains(escolhida) || !escolhida->isEnabled() ||
        !escolhida->isVisible() || escolhida->isSeparator())
        return nullptr;
    escolhida->trigger();
    return escolhida;
}

void SubstituirPopupMenu(EscolhaNoMenu escolha) {
    EscolhaSubstituta() = std::move(escolha);
}

HWnd Handle(QWidget* janela) {
    if (!janela) return 0;
    const QVariant existente = janela->property(PropriedadeDoHandle);
    if (existente.isValid()) return existente.value<HWnd>();
    TabelaDeHandles& tabela = Handles();
    const HWnd hWnd = tabela.proximo++;
    tabela.janelas.insert(hWnd, janela);
    janela->setProperty(PropriedadeDoHandle, QVariant::fromValue(hWnd));
    return hWnd;
}

QWidget* JanelaDoHandle(HWnd hWnd) {
    return Handles().janelas.value(hWnd).data();
}

void SetParent(QWidget* filho, HWnd hWndPai) {
    QWidget* pai = JanelaDoHandle(hWndPai);
    if (!filho || !pai) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    filho->setParent(pai, Qt::Widget);
    filho->setGeometry(pai->rect());
    new AcompanhadorDeTamanho(filho, pai);
}

QRect GetClientRect(HWnd hWnd) {
    QWidget* janela = JanelaDoHandle(hWnd);
    if (!janela) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    return janela->rect();
}

void DefinirRegiaoArredondada(HWnd hWnd, int raio) {
    QWidget* janela = JanelaDoHandle(hWnd);
    if (!janela) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    // The raio of the rounded-rectangle region is the ellipse's width and height.
    QPainterPath caminho;
    caminho.addRoundedRect(QRectF(GetClientRect(hWnd)), raio / 2.0, raio / 2.0);
    janela->setMask(QRegion(caminho.toFillPolygon().toPolygon()));
}

bool TemRegiao(HWnd hWnd) {
    QWidget* janela = JanelaDoHandle(hWnd);
    return janela && !janela->mask().isEmpty();
}

void SendKeys(const QString& teclas) {
    if (teclas != QStringLiteral("+({HOME})")) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    QWidget* foco = QApplication::focusWidget();
    if (!foco) return;
    QKeyEvent pressionada(QEvent::KeyPress, Qt::Key_Home, Qt::ShiftModifier);
    QKeyEvent solta(QEvent::KeyRelease, Qt::Key_Home, Qt::ShiftModifier);
    QApplication::sendEvent(foco, &pressionada);
    QApplication::sendEvent(foco, &solta);
}

void Pausar(double segundos) {
    const qint64 duracaoMs = static_cast<qint64>(segundos * FatorDaPausa() * 1000.0);
    QElapsedTimer relogio;
    relogio.start();
    // A nested loop woken by a precise timer processes every window event meanwhile
    // and costs no processor time while it waits.
    while (relogio.elapsed() < duracaoMs) {
        QEventLoop laco;
        QTimer::singleShot(std::chrono::milliseconds(duracaoMs - relogio.elapsed()), Qt::PreciseTimer, &laco,
                           &QEventLoop::quit);
        laco.exec();
    }
    QCoreApplication::processEvents();
}

void DefinirFatorDaPausa(double fator) {
    FatorDaPausa() = fator;
}

} // namespace Plataforma
