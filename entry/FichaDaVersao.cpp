#include "entry/FichaDaVersao.h"

#include "component/modMensagemDeErro.h"
#include "contracts/CriarObjeto.h"
#include "list/drFicha.h"
#include "platform/Plataforma.h"

namespace {

void Legenda(DataReport& relatorio, const QString& secao, const QString& controle, const QString& texto) {
    relatorio.Sections(secao)->Controls(controle)->setCaption(texto);
}

QString Valor(VB::Currency valor) {
    return VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

} // namespace

qint16 ExibirFichaDaVersao(const ZELT_N_Orcamentos::clsHistorico& historico,
                           const QString& lstrNomeDaAplicacao) {
    qint16 resultado = 1;
    ComTratamentoDeErro(u"FichaDaVersao", u"ExibirFichaDaVersao", [&](qint16& Ponto) {
        Ponto = 1;
        const auto empresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        if (VB::CLng(empresa->SelecionarNova(2, 0, 1, QString())) != 0) {
            ExibirErroDoNegocio(*empresa);
            return;
        }
        Ponto = 2;
        const RecordsetPtr lrstEmpresa = empresa->ResultadoDaSelecaoEmRecordSet();
        QString lstrNomeFantasia;
        if (lrstEmpresa->RecordCount() > 0) {
            lrstEmpresa->MoveFirst();
            lstrNomeFantasia = VB::CStr(lrstEmpresa->Fields(QStringLiteral("NomeFantasia")).Value);
        }
        Ponto = 3;
        const ZELT_N_Orcamentos::clsHistorico::CabecalhoDaVersao& v = historico.Versao;
        const RecordsetPtr lrstItens = historico.ResultadoDaSelecaoEmRecordSet();
        const QString versao = QStringLiteral("versão de %1").arg(VB::CStr(v.DataEHora));
        drFicha ldrFicha;
        ldrFicha.setCaption(QStringLiteral("Orçamento %1 - %2").arg(VB::CStr(v.NumeroDoOrcamento), versao));
        const QString cabecalho = QStringLiteral("CabecalhoDaPagina");
        const auto lbl = [&](const char16_t* controle, const QString& texto) {
            Legenda(ldrFicha, cabecalho, QString::fromUtf16(controle), texto);
        };
        lbl(u"lblNomeFantasiaDaEmpresa", lstrNomeFantasia);
        lbl(u"lblTitulo", QStringLiteral("Orçamento"));
        lbl(u"lblSubtitulo", QStringLiteral("Orçamento no.: %1 - %2 (%3 por %4)")
                                 .arg(VB::CStr(v.NumeroDoOrcamento), versao, v.Operacao, v.Usuario));
        lbl(u"lblItens_Titulo",
            lrstItens->RecordCount() <= 1 ? QStringLiteral("Item") : QStringLiteral("Itens"));
        lbl(u"lblCodigo", VB::CStr(v.CodigoDoCliente));
        lbl(u"lblApelidoOuNomeFantasia", v.ApelidoOuNomeFantasiaDoCliente);
        lbl(u"lblNomeOuRazaoSocial", v.NomeOuRazaoSocialDoCliente);
        lbl(u"lblValorTotal", Valor(v.ValorTotal));
        lbl(u"lblDescontoEmPercentual", Valor(v.DescontoEmPercentual) + u'%');
        lbl(u"lblDescontoEmValor", Valor(v.DescontoEmValor));
        lbl(u"lblValorLiquido", Valor(v.ValorLiquido));
        Legenda(ldrFicha, QStringLiteral("RodapeDaPagina"), QStringLiteral("lblTituloDoAplicativo"),
                lstrNomeDaAplicacao);
        Ponto = 4;
        ldrFicha.setDataSource(lrstItens);
        ldrFicha.setDataMember(QString());
        ldrFicha.setWindowState(DataReport::vbMaximized);
        ldrFicha.Show();
        resultado = 0;
    });
    return resultado;
}
