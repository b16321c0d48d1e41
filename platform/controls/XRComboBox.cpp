#include "platform/controls/XRComboBox.h"

#include "contracts/VB.h"
#include "platform/controls/Aparencia.h"

#include <QComboBox>
#include <QEvent>

XRComboBox::XRComboBox(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    mobjCaixa = new QComboBox(this);
    mobjCaixa->setObjectName(QStringLiteral("cmbLista"));
    mobjCaixa->setEditable(false);
    mobjCaixa->setStyleSheet(Aparencia::EstiloDaCaixaDeSelecao(Qt::white));
    mobjCaixa->setMaxVisibleItems(15);
    // activated: only the person's pick, also of the entry already selected.
    connect(mobjCaixa, &QComboBox::activated, this, [this] {
        mbooCliqueDaPessoa = true;
        emit Click();
        mbooCliqueDaPessoa = false;
    });
    mobjIndicador = Aparencia::CriarIndicador(this, QStringLiteral("Abaixo"));
    DefinirAlvoDoFoco(mobjCaixa);
    resize(sizeHint());
}

void XRComboBox::VerificarIndice(int Index) const {
    if (Index < 0 || Index >= mobjCaixa->count()) throw VB::ErroDeExecucao(VB::IndiceDePropriedadeInvalido);
}

void XRComboBox::AddItem(const QString& Item, int Index) {
    if (Index < -1 || Index > mobjCaixa->count()) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    const int posicao = Index == -1 ? mobjCaixa->count() : Index;
    const bool semSelecao = mobjCaixa->currentIndex() < 0;
    mobjCaixa->insertItem(posicao, Item, 0);
    if (semSelecao) // QComboBox selects the first entry of an empty list; VB selects nothing
        mobjCaixa->setCurrentIndex(-1);
    mintNewIndex = posicao;
}

void XRComboBox::RemoveItem(int Index) {
    VerificarIndice(Index);
    const bool eraASelecionada = mobjCaixa->currentIndex() == Index;
    mobjCaixa->removeItem(Index);
    if (eraASelecionada) // VB leaves no selection; QComboBox would select a neighbour
        mobjCaixa->setCurrentIndex(-1);
    mintNewIndex = -1;
}

void XRComboBox::Clear() {
    mobjCaixa->clear();
    mintNewIndex = -1;
}

QString XRComboBox::List(int Index) const {
    VerificarIndice(Index);
    return mobjCaixa->itemText(Index);
}

int XRComboBox::ItemData(int Index) const {
    if (Index == -1) return 0;
    VerificarIndice(Index);
    return mobjCaixa->itemData(Index).toInt();
}

void XRComboBox::setItemData(int Index, int Valor) {
    VerificarIndice(Index);
    mobjCaixa->setItemData(Index, Valor);
}

int XRComboBox::ListIndex() const {
    return mobjCaixa->currentIndex();
}

void XRComboBox::setListIndex(int Index) {
    if (Index < -1 || Index >= mobjCaixa->count()) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    const int anterior = mobjCaixa->currentIndex();
    mobjCaixa->setCurrentIndex(Index);
    if (Index >= 0 || anterior >= 0) emit Click();
}

int XRComboBox::ListCount() const {
    return mobjCaixa->count();
}

QString XRComboBox::Text() const {
    return mobjCaixa->currentIndex() < 0 ? QString() : mobjCaixa->currentText();
}

QSize XRComboBox::sizeHint() const {
    return QSize(180, qMax(28, fontMetrics().height() + 12));
}

void XRComboBox::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    mobjCaixa->setGeometry(rect());
    Aparencia::PosicionarIndicador(mobjIndicador);
}

void XRComboBox::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) mobjCaixa->setFont(font());
    Controle::changeEvent(evento);
}
