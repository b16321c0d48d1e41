#include "component/modPainelDeEspera.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"

#include <QPainter>

QPixmap ImagemDoPainelDeEspera(int largura, int altura, const QString& texto) {
    QPixmap imagem(largura, altura);
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.drawPixmap(24, (altura - 24) / 2,
                      Icones::Icone(QStringLiteral("Aguarde"), 24, Aparencia::CorDeDestaque()));
    pintor.setFont(Aparencia::Fonte(12));
    pintor.setPen(Aparencia::CorDoTexto());
    pintor.drawText(QRect(60, 0, largura - 60, altura), Qt::AlignVCenter | Qt::AlignLeft, texto);
    return imagem;
}
