#include "record/frmFicha.h"

#include "component/modMensagemDeErro.h"
#include "platform/Plataforma.h"

frmFicha::frmFicha(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFicha"));
}

qint16 frmFicha::MontarExibirFormulario(qint16 lintTipoDeOperacao) {
    qint16 MontarExibirFormulario = 1;
    ComTratamentoDeErro(u"frmFicha", u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        mintTipoDeOperacao = lintTipoDeOperacao;
        Ponto = 2;
        Plataforma::ExibirModal(this);
        MontarExibirFormulario = 0;
    });
    return MontarExibirFormulario;
}
