#include "platform/controls/Aparencia.h"

#include "platform/controls/Icones.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QWidget>

namespace Aparencia {

QFont Fonte(qreal pontos, bool negrito) {
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    fonte.setStyleHint(QFont::SansSerif);
    return fonte;
}

QColor CorDoTexto() {
    return QColor(73, 73, 73);
}
QColor CorDoTextoSuave() {
    return QColor(128, 134, 140);
}
QColor CorDoTextoInativo() {
    return QColor(165, 170, 176);
}
QColor CorDaBorda() {
    return QColor(204, 209, 216);
}
QColor CorDaBordaSobre() {
    return QColor(160, 170, 180);
}
QColor CorDeDestaque() {
    return QColor(0x1F, 0x7A, 0x8C);
}
QColor CorDeFundoInativo() {
    return QColor(0xF4, 0xF5, 0xF6);
}
QColor CorDeFundoSobre() {
    return QColor(0xEC, 0xF4, 0xF6);
}

void DesenharMoldura(QPainter& p, const QRectF& area, const QColor& fundo, bool comFoco, bool sobre,
                     bool habilitado) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal espessura = comFoco ? 2.0 : 1.0;
    const QRectF r = area.adjusted(espessura / 2, espessura / 2, -espessura / 2, -espessura / 2);
    QColor borda = CorDaBorda();
    if (comFoco)
        borda = CorDeDestaque();
    else if (sobre && habilitado)
        borda = CorDaBordaSobre();
    p.setPen(QPen(borda, espessura));
    p.setBrush(habilitado ? fundo : CorDeFundoInativo());
    p.drawRoundedRect(r, RaioDosCantos, RaioDosCantos);
    p.restore();
}

QString EstiloDoEditor(const QColor& texto) {
    return QStringLiteral("QLineEdit { border: none; background: transparent; padding: 0px; color: %1;"
                          " selection-background-color: #CFE6EB; selection-color: #202020; }"
                          " QLineEdit:disabled { color: %2; }")
        .arg(texto.name(), CorDoTextoInativo().name());
}

QString EstiloDaCaixaDeSelecao(const QColor& fundo) {
    const QString destaque = CorDeDestaque().name();
    return QStringLiteral(
               "QComboBox, QDateEdit { border: 1px solid %1; border-radius: 4px; padding: 1px 6px;"
               " background: %2; color: %3; selection-background-color: #CFE6EB; selection-color: #202020; }"
               " QComboBox:hover, QDateEdit:hover { border-color: %4; }"
               " QComboBox:focus, QDateEdit:focus { border: 2px solid %5; padding: 0px 5px; }"
               " QComboBox:disabled, QDateEdit:disabled { background: %6; color: %7; }"
               " QComboBox::drop-down, QDateEdit::drop-down { border: none; width: 20px; }"
               " QComboBox QAbstractItemView { border: 1px solid %1; background: #FFFFFF; color: %3;"
               " selection-background-color: #E3F0F3; selection-color: #202020; outline: 0; }")
        .arg(CorDaBorda().name(), fundo.name(), CorDoTexto().name(), CorDaBordaSobre().name(), destaque,
             CorDeFundoInativo().name(), CorDoTextoInativo().name());
}

namespace {

class Indicador : public QWidget {
public:
    Indicador(QWidget* pai, const QString& icone) : QWidget(pai), mstrIcone(icone) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor cor = parentWidget()->isEnabled() ? CorDoTextoSuave() : CorDoTextoInativo();
        const QPixmap imagem = Icones::Icone(mstrIcone, 14, cor);
        p.drawPixmap((width() - imagem.width()) / 2, (height() - imagem.height()) / 2, imagem);
    }

private:
    QString mstrIcone;
};

} // namespace

QWidget* CriarIndicador(QWidget* pai, const QString& icone) {
    return new Indicador(pai, icone);
}

void PosicionarIndicador(QWidget* indicador) {
    const QWidget* pai = indicador->parentWidget();
    indicador->setGeometry(pai->width() - 24, 2, 20, pai->height() - 4);
    indicador->raise();
}

} // namespace Aparencia
