#include "list/frmLista.h"

#include "component/modMensagemDeErro.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"

frmLista::frmLista(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmLista"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
}

frmLista::~frmLista() = default;

qint16 frmLista::MontarExibirFormulario(HWnd AreaDeTrabalho_hWnd)
{
    qint16 MontarExibirFormulario = 1;
    ComTratamentoDeErro(u"frmLista", u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        Plataforma::SetParent(this, AreaDeTrabalho_hWnd);
        Ponto = 2;
        show();
        Ponto = 3;
        mobjOrcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        MontarExibirFormulario = 0;
    });
    return MontarExibirFormulario;
}
