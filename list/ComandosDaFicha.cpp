#include "list/ComandosDaFicha.h"

#include "component/JanelasDoOrcamento.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/TermoDeConsentimento.h"
#include "list/RodapeDaFicha.h"
#include "list/drFicha.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

namespace ComandosDaFicha {
namespace {

using JanelasDoOrcamento::Janela;
namespace E = ZELT_N_Orcamentos::Etapa;

struct Etapa {
    bool Aprovacao = false;
    bool Pagamento = false;
};

Etapa LerEtapa(double numero) {
    try {
        auto etapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
        etapas->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        if (etapas->Ler(numero) != Resultado::Sucesso) return {};
        return {etapas->PermiteAprovacao, PermitePagamento(etapas->EtapaDoOrcamento)};
    } catch (const VB::ErroDeExecucao&) {
        return {}; // a business layer without stages: nothing to answer from here
    }
}

struct Estado {
    std::shared_ptr<EnvioDoOrcamento::Orcamento> Envio;
    std::shared_ptr<bool> Alterado = std::make_shared<bool>(false);
};

// The window for the sheet's quote; when it changed the quote, the sheet shown again.
void Abrir(VisualizacaoDoRelatorio& previa, drFicha& ficha, const Estado& estado, Janela janela,
           const char16_t* procedimento) {
    ComTratamentoDeErro(u"ComandosDaFicha", procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        EnvioDoOrcamento::Orcamento& envio = *estado.Envio;
        if (!JanelasDoOrcamento::Abrir(janela, &previa, envio.Numero)) return;
        *estado.Alterado = true;
        Ponto = 2;
        const auto rodape = RodapeDaFicha::Ler(envio.Numero, envio.DataDeValidade);
        if (!rodape) return;
        RodapeDaFicha::Preencher(ficha, *rodape);
        envio.LinhaDoSinal = rodape->LinhaDoSinal;
        envio.CopiaECola = rodape->CopiaECola;
        Ponto = 3;
        previa.Reler();
    });
}

} // namespace

bool ExigeConsentimento(double numero) {
    auto termo = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsTermoDeConsentimento>(ProgId::TermoDeConsentimento);
    return termo->Verificar(numero) == Resultado::Sucesso && termo->ExigeConsentimento;
}

bool PermitePagamento(const QString& etapa) {
    return etapa == E::Aprovado || etapa == E::AprovadoEmParte || etapa == E::Concluido;
}

std::shared_ptr<const bool> Preparar(drFicha& ficha, std::shared_ptr<EnvioDoOrcamento::Orcamento> envio) {
    const Estado estado{std::move(envio)};
    const double numero = estado.Envio->Numero;
    const auto comando = [&](Janela janela, const char* nome, const QString& texto, const QString& icone,
                             const QString& dica, const char16_t* procedimento,
                             std::function<bool()> habilitado) {
        if (!JanelasDoOrcamento::Registrada(janela)) return;
        ficha.AdicionarComandoDaPrevia(
            {QString::fromLatin1(nome), texto, icone, dica, QKeySequence(),
             [estado, janela, procedimento, &ficha](VisualizacaoDoRelatorio& previa) {
                 Abrir(previa, ficha, estado, janela, procedimento);
             },
             std::move(habilitado)});
    };
    comando(Janela::AprovarOrcamento, "cmdAprovarOrcamento", QStringLiteral("Aprovar orçamento…"),
            QStringLiteral("Salvar"),
            QStringLiteral("Registrar a aprovação do cliente, com as marcas dos itens e a assinatura"),
            u"cmdAprovarOrcamento_Click", [numero] { return LerEtapa(numero).Aprovacao; });
    comando(Janela::RegistrarPagamento, "cmdRegistrarPagamento", QStringLiteral("Registrar pagamento…"),
            QStringLiteral("Alterar"),
            QStringLiteral("Registrar o sinal ou um pagamento do orçamento aprovado"),
            u"cmdRegistrarPagamento_Click", [numero] { return LerEtapa(numero).Pagamento; });
    comando(
        Janela::TermoDeConsentimento, "cmdTermoDeConsentimento", QStringLiteral("Termo de consentimento…"),
        QStringLiteral("Imprimir"),
        QStringLiteral("Imprimir o termo de consentimento da cirurgia ou da anestesia, para o tutor assinar"),
        u"cmdTermoDeConsentimento_Click", [numero] { return ExigeConsentimento(numero); });
    return estado.Alterado;
}

} // namespace ComandosDaFicha
