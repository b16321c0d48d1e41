#include "platform/controls/XRNavigationBar.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"

#include <QEvent>
#include <QLabel>
#include <QToolButton>

XRNavigationBar::XRNavigationBar(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    static const char* const nomes[] = {"cmdPrimeiro", "cmdAnterior", "cmdProximo", "cmdUltimo"};
    static const char* const icones[] = {"Primeiro", "Anterior", "Proximo", "Ultimo"};
    static const char* const dicas[] = {"Primeira página", "Página anterior", "Próxima página",
                                        "Última página"};
    const QString estilo =
        QStringLiteral("QToolButton { border: 1px solid %1; border-radius: 4px; background: #FFFFFF; }"
                       " QToolButton:hover { background: %2; border-color: %3; }"
                       " QToolButton:pressed { background: #DCEBEF; }"
                       " QToolButton:disabled { background: %4; border-color: #E4E7EB; }")
            .arg(Aparencia::CorDaBorda().name(), Aparencia::CorDeFundoSobre().name(),
                 Aparencia::CorDeDestaque().name(), Aparencia::CorDeFundoInativo().name());
    for (int i = 0; i < 4; ++i) {
        auto* botao = new QToolButton(this);
        botao->setObjectName(QString::fromLatin1(nomes[i]));
        botao->setToolTip(QString::fromUtf8(dicas[i]));
        botao->setFocusPolicy(Qt::NoFocus);
        botao->setCursor(Qt::PointingHandCursor);
        QIcon icone;
        icone.addPixmap(Icones::Icone(QString::fromLatin1(icones[i]), 16, Aparencia::CorDoTexto()),
                        QIcon::Normal);
        icone.addPixmap(Icones::Icone(QString::fromLatin1(icones[i]), 16, Aparencia::CorDoTextoInativo()),
                        QIcon::Disabled);
        botao->setIcon(icone);
        botao->setStyleSheet(estilo);
        connect(botao, &QToolButton::clicked, this, [this, i] { emit Click(i + 1); });
        mobjBotoes[i] = botao;
    }
    mobjTexto = new QLabel(this);
    mobjTexto->setObjectName(QStringLiteral("lblRegistros"));
    mobjTexto->setAlignment(Qt::AlignCenter);
    mobjTexto->setStyleSheet(QStringLiteral("color: %1;").arg(Aparencia::CorDoTexto().name()));
    resize(sizeHint());
    Atualizar();
}

void XRNavigationBar::Atualizar() {
    mobjTexto->setText(mlonTotalDeRegistros <= 0 ? QStringLiteral("0 de 0")
                                                 : QStringLiteral("%1 - %2 de %3")
                                                       .arg(QString::number(mlonPrimeiroRegistro),
                                                            QString::number(mlonUltimoRegistro),
                                                            QString::number(mlonTotalDeRegistros)));
    const bool voltar = mlonTotalDeRegistros > 0 && mlonPrimeiroRegistro > 1;
    const bool avancar = mlonTotalDeRegistros > 0 && mlonUltimoRegistro < mlonTotalDeRegistros;
    mobjBotoes[0]->setEnabled(voltar);
    mobjBotoes[1]->setEnabled(voltar);
    mobjBotoes[2]->setEnabled(avancar);
    mobjBotoes[3]->setEnabled(avancar);
    mobjTexto->setToolTip(mlonRegistrosPorPagina > 0
                              ? QStringLiteral("%1 registros por página").arg(mlonRegistrosPorPagina)
                              : QString());
}

QString XRNavigationBar::TextoExibido() const {
    return mobjTexto->text();
}

QToolButton* XRNavigationBar::Botao(int Botao) const {
    return (Botao >= 1 && Botao <= 4) ? mobjBotoes[Botao - 1] : nullptr;
}

void XRNavigationBar::Posicionar() {
    const int lado = qMin(height() - 4, 28);
    const int topo = (height() - lado) / 2;
    mobjBotoes[0]->setGeometry(0, topo, lado, lado);
    mobjBotoes[1]->setGeometry(lado + 4, topo, lado, lado);
    mobjBotoes[3]->setGeometry(width() - lado, topo, lado, lado);
    mobjBotoes[2]->setGeometry(width() - 2 * lado - 4, topo, lado, lado);
    const int esquerda = 2 * lado + 8;
    mobjTexto->setGeometry(esquerda, 0, qMax(0, width() - 2 * esquerda), height());
}

void XRNavigationBar::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    Posicionar();
}

void XRNavigationBar::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) mobjTexto->setFont(font());
    Controle::changeEvent(evento);
}
