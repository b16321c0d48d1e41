// The client's approval of a 100-item quote on a generated database (bench_gerar_dados),
// through the window the receptionist uses ("Aprovar orçamento…", frmAprovarOrcamento):
//
//   abrir_100_itens    the window made and read: the quote's approval state and stamp,
//                      its 100 items in the grid, the approved total;
//   aprovar_100_itens  "Aprovar" with every item approved, "Presencial" and a signature
//                      of two strokes: the signature's PNG made and the approval stored
//                      (the stage, the history entry and the approval, one transaction).
//                      Before each run (untimed) the approval of the run before is undone
//                      and the window opened anew on the quote's new stamp and signed.
//
// The sample quote (Amostra: 30 services, 70 products) is stored first and removed at
// the end, with its approvals.
//
//   bench_aprovacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME]
//                   [--execucoes N] [--atraso MS]

#include "andamento/frmAprovarOrcamento.h"
#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRAssinatura.h"
#include "platform/controls/XRCommandButton.h"

#include <cmath>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_aprovacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] "
    "[--execucoes N] [--atraso MS]\nCasos: abrir_100_itens, aprovar_100_itens";

qint64 mnumero = 0;

// The window on the sample quote, read (its modal display is turned into nothing).
std::unique_ptr<frmAprovarOrcamento> Abrir() {
    auto janela = std::make_unique<frmAprovarOrcamento>();
    janela->MontarExibirFormulario(static_cast<double>(mnumero));
    if (Formularios::Controle<MSFlexGrid>(*janela, "msfgGrade").Rows() != 101)
        Falhar(QStringLiteral("A janela de aprovação não mostrou os 100 itens."));
    return janela;
}

// A name in loops and an underline, as a hand draws them.
void Assinar(XRAssinatura& quadro) {
    XRAssinatura::Traco nome, traco;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0, volta = 2 * M_PI * 5 * t;
        nome << XRAssinatura::Ponto{
            QPointF(0.08 + 0.6 * t - 0.04 * std::sin(volta), 0.5 - 0.2 * std::cos(volta) * (1 - 0.4 * t)), 3};
    }
    for (int i = 0; i <= 10; ++i)
        traco << XRAssinatura::Ponto{QPointF(0.1 + 0.065 * i, 0.85), 3};
    quadro.AdicionarTraco(nome);
    quadro.AdicionarTraco(traco);
}

// The approval in force undone; after a run, one must be in force.
void Desfazer(bool exigirAprovado) {
    auto aprovacao =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    aprovacao->DadosDoUsuario = Amostra::Usuario();
    const double numero = static_cast<double>(mnumero);
    if (aprovacao->Ler(numero) != Resultado::Sucesso)
        Falhar(QStringLiteral("A leitura da aprovação falhou."));
    if (exigirAprovado && aprovacao->EtapaDoOrcamento != ZELT_N_Orcamentos::Etapa::Aprovado)
        Falhar(QStringLiteral("A aprovação não foi gravada (etapa %1).").arg(aprovacao->EtapaDoOrcamento));
    if (aprovacao->Aprovado && aprovacao->DesfazerAprovacao(numero) != Resultado::Sucesso)
        Falhar(QStringLiteral("A aprovação não foi desfeita: ") + aprovacao->DescricaoDaFalha +
               aprovacao->DescricaoDoErro);
}

Medicao::Resultado AbrirJanela(const Medicao::Opcoes& opcoes) {
    std::unique_ptr<frmAprovarOrcamento> janela;
    Medicao::Resultado r(QStringLiteral("aprovacao"), QStringLiteral("abrir_100_itens"));
    r.Tempos = Medicao::Repetir(
        opcoes.Execucoes, [&] { janela = Abrir(); }, [&] { janela.reset(); });
    r.Linhas = 100;
    return r;
}

Medicao::Resultado Aprovar(const Medicao::Opcoes& opcoes) {
    std::unique_ptr<frmAprovarOrcamento> janela;
    Desfazer(false);
    Medicao::Resultado r(QStringLiteral("aprovacao"), QStringLiteral("aprovar_100_itens"));
    r.Tempos = Medicao::Repetir(
        opcoes.Execucoes,
        [&] { emit Formularios::Controle<XRCommandButton>(*janela, "xrcmdAprovar").Click(); },
        [&] {
            if (janela) Desfazer(true);
            janela = Abrir();
            Assinar(Formularios::Controle<XRAssinatura>(*janela, "assAssinatura"));
        });
    Desfazer(true);
    r.Linhas = 100;
    r.Nota = QStringLiteral("todos os itens, presencial, com assinatura");
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    Formularios::Aplicacao aplicacao(argc, argv);
    Medicao::Programa programa;
    programa.Uso = Uso;
    programa.Casos = {{QStringLiteral("abrir_100_itens"), AbrirJanela},
                      {QStringLiteral("aprovar_100_itens"), Aprovar}};
    programa.Preparar = [] {
        Formularios::Entrar(Formularios::Usuario::Comum);
        Formularios::RecusarMensagens();
        Formularios::RecusarErros();
        Plataforma::SubstituirExibicaoModal([](QWidget*) {});
        mnumero = Amostra::Gravar(Amostra::Montar(30, 70));
    };
    const int resultado = Formularios::Executar(programa);
    // The database as it was found.
    if (mnumero > 0) Amostra::Remover({mnumero});
    return resultado;
}
