#include "platform/controls/XRNumberBox.h"

#include "contracts/VB.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"
#include "platform/controls/EditorDeTexto.h"

#include <QEvent>
#include <QPainter>
#include <QValidator>

namespace {

constexpr int SemLimite = 32767; // VB's text boxes: MaxLength 0 is this many characters

// The box's MaxLength for the person's edits. The editor itself keeps no limit of its
// own, which would cut the forms' texts.
class LimiteDeDigitacao final : public QValidator {
public:
    explicit LimiteDeDigitacao(const XRNumberBox* caixa) : QValidator(nullptr), mcaixa(caixa) {}
    State validate(QString& texto, int&) const override {
        const int limite = mcaixa->MaxLength() == 0 ? SemLimite : mcaixa->MaxLength();
        return texto.size() <= limite ? Acceptable : Invalid;
    }

private:
    const XRNumberBox* mcaixa;
};

} // namespace

XRNumberBox::XRNumberBox(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    mobjEditor = new EditorDeTexto(this);
    mobjEditor->setObjectName(QStringLiteral("txtValor"));
    mobjEditor->setStyleSheet(Aparencia::EstiloDoEditor(CoresVB::ParaQColor(mlonForeColor)));
    mobjEditor->setMaxLength(SemLimite);
    auto* limite = new LimiteDeDigitacao(this);
    limite->setParent(this);
    mobjEditor->setValidator(limite);
    connect(mobjEditor, &EditorDeTexto::TeclaPressionada, this,
            [this](int& KeyCode, int& Shift) { emit KeyDown(KeyCode, Shift); });
    connect(mobjEditor, &EditorDeTexto::CaractereDigitado, this,
            [this](int& KeyAscii) { emit KeyPress(KeyAscii); });
    DefinirAlvoDoFoco(mobjEditor);
    setAttribute(Qt::WA_Hover);
    setAlignment(mintAlignment);
    resize(sizeHint());
}

QString XRNumberBox::Text() const {
    return mobjEditor->text();
}

void XRNumberBox::setText(const QString& texto) {
    mobjEditor->setText(texto);
}

bool XRNumberBox::Locked() const {
    return mobjEditor->isReadOnly();
}

void XRNumberBox::setLocked(bool valor) {
    mobjEditor->setReadOnly(valor);
    update();
}

void XRNumberBox::setAlignment(int valor) {
    if (valor < 0 || valor > 2) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mintAlignment = valor;
    static const Qt::Alignment alinhamentos[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    mobjEditor->setAlignment(alinhamentos[valor] | Qt::AlignVCenter);
}

void XRNumberBox::setMaxLength(int valor) {
    if (valor < 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mintMaxLength = valor;
}

void XRNumberBox::setBackColor(int cor) {
    mlonBackColor = cor;
    update();
}

void XRNumberBox::setForeColor(int cor) {
    mlonForeColor = cor;
    mobjEditor->setStyleSheet(Aparencia::EstiloDoEditor(CoresVB::ParaQColor(cor)));
}

int XRNumberBox::SelStart() const {
    return mobjEditor->hasSelectedText() ? mobjEditor->selectionStart() : mobjEditor->cursorPosition();
}

void XRNumberBox::setSelStart(int valor) {
    if (valor < 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mobjEditor->deselect();
    mobjEditor->setCursorPosition(qMin(valor, Text().length()));
}

int XRNumberBox::SelLength() const {
    return mobjEditor->selectedText().length();
}

void XRNumberBox::setSelLength(int valor) {
    if (valor < 0) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    const int inicio = SelStart();
    mobjEditor->setSelection(inicio, qMin(valor, Text().length() - inicio));
}

QString XRNumberBox::SelText() const {
    return mobjEditor->selectedText();
}

void XRNumberBox::setSelText(const QString& texto) {
    mobjEditor->insert(texto);
}

QSize XRNumberBox::sizeHint() const {
    return QSize(120, qMax(28, fontMetrics().height() + 12));
}

void XRNumberBox::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    mobjEditor->setGeometry(rect().adjusted(8, 2, -8, -2));
}

void XRNumberBox::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) mobjEditor->setFont(font());
    if (evento->type() == QEvent::EnabledChange) update();
    Controle::changeEvent(evento);
}

void XRNumberBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Aparencia::DesenharMoldura(p, QRectF(rect()), CoresVB::ParaQColor(mlonBackColor), mobjEditor->hasFocus(),
                               underMouse() && !Locked(), isEnabled());
}
