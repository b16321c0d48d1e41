#include "platform/controls/XRCommandButton.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"
#include "platform/controls/Icones.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int TamanhoDoIcone = 16;
constexpr int Espaco = 6;
} // namespace

XRCommandButton::XRCommandButton(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void XRCommandButton::setCaption(const QString& texto) {
    mstrCaption = texto;
    update();
}

void XRCommandButton::setIcone(const QString& nome) {
    mstrIcone = nome;
    update();
}

void XRCommandButton::setPicture(const QPixmap& imagem) {
    mpixPicture = imagem;
    update();
}

void XRCommandButton::setBackColor(int cor) {
    mlonBackColor = cor;
    update();
}

void XRCommandButton::setHighlightColor(int cor) {
    mlonHighlightColor = cor;
    update();
}

void XRCommandButton::setFontColor(int cor) {
    mlonFontColor = cor;
    update();
}

void XRCommandButton::setFontHighlightColor(int cor) {
    mlonFontHighlightColor = cor;
    update();
}

void XRCommandButton::setUseCustomColors(bool valor) {
    mbooUseCustomColors = valor;
    update();
}

void XRCommandButton::setToolTipTitle(const QString& texto) {
    mstrToolTipTitle = texto;
    AtualizarDica();
}

void XRCommandButton::setToolTipDescription(const QString& texto) {
    mstrToolTipDescription = texto;
    AtualizarDica();
}

void XRCommandButton::setToolTipIcon(int valor) {
    mintToolTipIcon = valor;
    AtualizarDica();
}

void XRCommandButton::setToolTipType(int valor) {
    mintToolTipType = valor;
    AtualizarDica();
}

void XRCommandButton::setTTForeColor(int cor) {
    mlonTTForeColor = cor;
    AtualizarDica();
}

QString XRCommandButton::TextoDaDica() const {
    if (mintToolTipType == 0 || (mstrToolTipTitle.isEmpty() && mstrToolTipDescription.isEmpty()))
        return ToolTipText();
    static const char* const sinais[] = {"", "&#9432; ", "&#9888; ", "&#10006; "};
    const QString sinal = QString::fromUtf8(sinais[qBound(0, mintToolTipIcon, 3)]);
    return QStringLiteral("<div style=\"color:%1\"><b>%2%3</b><br/>%4</div>")
        .arg(CoresVB::ParaQColor(mlonTTForeColor).name(), sinal, mstrToolTipTitle.toHtmlEscaped(),
             mstrToolTipDescription.toHtmlEscaped());
}

QColor XRCommandButton::CorDoFundo() const {
    if (!isEnabled()) return Aparencia::CorDeFundoInativo();
    if (mbooUseCustomColors) return CoresVB::ParaQColor(mbooSobre ? mlonHighlightColor : mlonBackColor);
    QColor fundo = mbooSobre ? Aparencia::CorDeFundoSobre() : QColor(Qt::white);
    return mbooPressionado ? fundo.darker(106) : fundo;
}

QColor XRCommandButton::CorDaLegenda() const {
    if (!isEnabled()) return Aparencia::CorDoTextoInativo();
    if (mbooUseCustomColors) return CoresVB::ParaQColor(mbooSobre ? mlonFontHighlightColor : mlonFontColor);
    return mbooSobre ? Aparencia::CorDeDestaque() : Aparencia::CorDoTexto();
}

QSize XRCommandButton::sizeHint() const {
    const int largura = fontMetrics().horizontalAdvance(mstrCaption.trimmed()) + 2 * 12 +
                        (mstrIcone.isEmpty() && mpixPicture.isNull() ? 0 : TamanhoDoIcone + Espaco);
    return QSize(largura, qMax(28, fontMetrics().height() + 12));
}

void XRCommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Aparencia::DesenharMoldura(p, QRectF(rect()), CorDoFundo(), hasFocus(), mbooSobre, isEnabled());

    const QColor cor = CorDaLegenda();
    QPixmap icone = mpixPicture;
    if (icone.isNull() && !mstrIcone.isEmpty()) icone = Icones::Icone(mstrIcone, TamanhoDoIcone, cor);
    const QString legenda = icone.isNull() ? mstrCaption : mstrCaption.trimmed();
    const int larguraDaLegenda = fontMetrics().horizontalAdvance(legenda);
    const int larguraDoIcone = icone.isNull() ? 0 : icone.width() + (legenda.isEmpty() ? 0 : Espaco);
    int x = qMax(8, (width() - larguraDoIcone - larguraDaLegenda) / 2);
    if (!icone.isNull()) {
        p.drawPixmap(x, (height() - icone.height()) / 2, icone);
        x += larguraDoIcone;
    }
    p.setPen(cor);
    p.setFont(font());
    p.drawText(QRect(x, 0, width() - x - 4, height()), Qt::AlignVCenter | Qt::AlignLeft, legenda);
}

void XRCommandButton::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) {
        mbooPressionado = true;
        update();
    }
    Controle::mousePressEvent(evento);
}

void XRCommandButton::mouseReleaseEvent(QMouseEvent* evento) {
    const bool clique = mbooPressionado && evento->button() == Qt::LeftButton &&
                        rect().contains(evento->position().toPoint());
    mbooPressionado = false;
    update();
    if (clique && isEnabled()) emit Click();
}

void XRCommandButton::keyPressEvent(QKeyEvent* evento) {
    const int tecla = evento->key();
    if ((tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter) &&
        !evento->isAutoRepeat()) {
        emit Click();
        return;
    }
    Controle::keyPressEvent(evento);
}

void XRCommandButton::enterEvent(QEnterEvent* evento) {
    mbooSobre = true;
    update();
    Controle::enterEvent(evento);
}

void XRCommandButton::leaveEvent(QEvent* evento) {
    mbooSobre = false;
    mbooPressionado = false;
    update();
    Controle::leaveEvent(evento);
}

void XRCommandButton::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::EnabledChange) update();
    Controle::changeEvent(evento);
}
