#include "platform/controls/XRFind.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Icones.h"
#include "platform/controls/Teclado.h"

#include <QEvent>
#include <QPainter>
#include <QToolButton>
#include <QValidator>

namespace {

// What a code field takes from the person: the digits of what was typed or pasted, the
// cursor kept after the same digits.
class SoDigitos final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int& posicao) const override {
        QString digitos;
        int removidosAntes = 0;
        for (qsizetype i = 0; i < texto.size(); ++i) {
            if (texto[i] >= u'0' && texto[i] <= u'9')
                digitos += texto[i];
            else if (i < posicao)
                ++removidosAntes;
        }
        texto = digitos;
        posicao -= removidosAntes;
        return Acceptable;
    }
};

QToolButton* CriarBotao(QWidget* pai, const QString& nome, const QString& icone, const QString& dica) {
    auto* botao = new QToolButton(pai);
    botao->setObjectName(nome);
    botao->setFocusPolicy(Qt::NoFocus);
    botao->setCursor(Qt::PointingHandCursor);
    botao->setAutoRaise(true);
    botao->setToolTip(dica);
    botao->setIcon(QIcon(Icones::Icone(icone, 16, Aparencia::CorDoTextoSuave())));
    botao->setStyleSheet(
        QStringLiteral("QToolButton { border: none; border-radius: 3px; background: transparent; }"
                       " QToolButton:hover { background: #E3F0F3; }"));
    return botao;
}

} // namespace

XRFind::XRFind(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    mobjEditor = new EditorDeTexto(this);
    mobjEditor->setObjectName(QStringLiteral("txtTexto"));
    mobjEditor->setStyleSheet(Aparencia::EstiloDoEditor(Aparencia::CorDoTexto()));
    mobjEditor->AcaoDaTecla = [this](int KeyAscii) { return AcaoDaTecla(KeyAscii); };
    mobjSoDigitos = new SoDigitos(this);
    connect(mobjEditor, &EditorDeTexto::TeclaPressionada, this,
            [this](int& KeyCode, int& Shift) { emit KeyDown(KeyCode, Shift); });
    connect(mobjEditor, &QLineEdit::textChanged, this, [this] { Posicionar(); });

    mobjLimpar =
        CriarBotao(this, QStringLiteral("cmdLimpar"), QStringLiteral("Limpar"), QStringLiteral("Limpar"));
    mobjPesquisar = CriarBotao(this, QStringLiteral("cmdPesquisar"), QStringLiteral("Pesquisar"),
                               QStringLiteral("Pesquisar"));
    connect(mobjLimpar, &QToolButton::clicked, this, &XRFind::Limpar);
    connect(mobjPesquisar, &QToolButton::clicked, this, &XRFind::Pesquisar);

    DefinirAlvoDoFoco(mobjEditor);
    setAttribute(Qt::WA_Hover);
    resize(sizeHint());
    Posicionar();
}

void XRFind::setCaption(const QString& texto) {
    mstrCaption = texto;
    Posicionar();
    update();
}

QString XRFind::Hint() const {
    return mobjEditor->placeholderText();
}
void XRFind::setHint(const QString& texto) {
    mobjEditor->setPlaceholderText(texto);
}
QString XRFind::Text() const {
    return mobjEditor->text();
}
void XRFind::setText(const QString& texto) {
    // The digits-only rule is for the person; what a form writes (a registered bar
    // code, say) is shown as it is.
    const QValidator* filtro = mobjEditor->validator();
    mobjEditor->setValidator(nullptr);
    mobjEditor->setText(texto);
    mobjEditor->setValidator(filtro);
}

void XRFind::setStyle(int valor) {
    mintStyle = valor;
    mobjEditor->setValidator(valor == EstiloCodigo ? mobjSoDigitos : nullptr);
}

void XRFind::Pesquisar() {
    if (!isEnabled()) return;
    mlonStatus = StatusPesquisar;
    mstrSearchedText = Text();
    emit Click();
}

void XRFind::Limpar() {
    if (!isEnabled()) return;
    mobjEditor->clear();
    mlonStatus = StatusLimpar;
    emit Click();
}

void XRFind::PrepararNovaPesquisa() {
    if (isVisible() && isEnabled()) mobjEditor->setFocus(Qt::OtherFocusReason);
    mobjEditor->selectAll();
}

bool XRFind::AcaoDaTecla(int KeyAscii) {
    if (KeyAscii == Teclado::vbKeyReturn)
        Pesquisar();
    else if (KeyAscii == Teclado::vbKeyEscape)
        Limpar();
    else
        return false;
    return true;
}

QSize XRFind::sizeHint() const {
    return QSize(220, qMax(28, fontMetrics().height() + 12));
}

void XRFind::Posicionar() {
    const int altura = height();
    const int lado = qMin(24, altura - 4);
    const int topo = (altura - lado) / 2;
    mobjPesquisar->setGeometry(width() - lado - 4, topo, lado, lado);
    mobjLimpar->setGeometry(width() - 2 * lado - 6, topo, lado, lado);
    mobjLimpar->setVisible(!Text().isEmpty());
    QFont negrito = font();
    negrito.setBold(true);
    const int esquerda =
        mstrCaption.isEmpty() ? 8 : 8 + QFontMetrics(negrito).horizontalAdvance(mstrCaption) + 8;
    const int direita = (mobjLimpar->isVisibleTo(this) ? mobjLimpar->x() : mobjPesquisar->x()) - 2;
    mobjEditor->setGeometry(esquerda, 2, qMax(10, direita - esquerda), altura - 4);
}

void XRFind::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    Posicionar();
}

void XRFind::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) {
        mobjEditor->setFont(font());
        Posicionar();
    }
    if (evento->type() == QEvent::EnabledChange) {
        mobjLimpar->setEnabled(isEnabled());
        mobjPesquisar->setEnabled(isEnabled());
        update();
    }
    Controle::changeEvent(evento);
}

void XRFind::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Aparencia::DesenharMoldura(p, QRectF(rect()), Qt::white, mobjEditor->hasFocus(), underMouse(),
                               isEnabled());
    if (!mstrCaption.isEmpty()) {
        QFont fonte = font();
        fonte.setBold(true);
        p.setFont(fonte);
        p.setPen(isEnabled() ? Aparencia::CorDoTextoSuave() : Aparencia::CorDoTextoInativo());
        p.drawText(QRect(8, 0, mobjEditor->x() - 8, height()), Qt::AlignVCenter | Qt::AlignLeft, mstrCaption);
    }
}
