#include "andamento/CamposDeTexto.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/Twips.h"

#include <QLineEdit>

namespace CamposDeTexto {

QLineEdit* CriarCaixaDeTexto(QWidget* pai, const QString& nome, int left, int top, int width) {
    auto* caixa = new QLineEdit(pai);
    caixa->setObjectName(nome);
    caixa->setFont(Aparencia::Fonte(10));
    caixa->setStyleSheet(
        QStringLiteral(
            "QLineEdit { border: 1px solid %1; border-radius: 4px; padding: 1px 6px; background: "
            "#FFFFFF; color: %2; } QLineEdit:hover { border-color: %3; } QLineEdit:focus { border: "
            "2px solid %4; padding: 0px 5px; }")
            .arg(Aparencia::CorDaBorda().name(), Aparencia::CorDoTexto().name(),
                 Aparencia::CorDaBordaSobre().name(), Aparencia::CorDeDestaque().name()));
    caixa->setGeometry(Twips::ParaPixels(left), Twips::ParaPixels(top), Twips::ParaPixels(width),
                       Twips::ParaPixels(450));
    return caixa;
}

Label* CriarRotulo(QWidget* pai, const QString& nome, const QString& texto, int left, int top) {
    auto* rotulo = new Label(pai, nome);
    rotulo->setCaption(texto);
    // As wide as its text: a fixed width cut the longer captions.
    rotulo->Move(left, top, 3000, 300);
    rotulo->setAutoSize(true);
    return rotulo;
}

} // namespace CamposDeTexto
