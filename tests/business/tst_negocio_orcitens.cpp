// ZELT_N_Orcamentos.clsOrcItens on a real database: the items of a quote for the
// record form (selection 1) and for the quote sheet (selection 2), and the removal of
// one item that the record form sends at once in change mode.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "contracts/CriarObjeto.h"

#include <QtTest>

using namespace BancoDeTeste;
using VB::Currency;
using ZELT_N_Orcamentos::clsOrcItens;

namespace {

constexpr long NumeroDeRegraDeNegocio = -2147221504L + 514;
const QDateTime Agora(QDate::currentDate(), QTime(9, 15, 30));

std::unique_ptr<clsOrcItens> Itens() {
    return Zelt::CriarObjeto<clsOrcItens>(ProgId::OrcItens);
}

} // namespace

class TesteDoOrcItens : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    // The validity BancoDeTeste::OrcamentoValido gives: ten days after the quote.
    static QString Validade() { return Agora.date().addDays(10).toString(QStringLiteral("dd/MM/yyyy")); }

    // A quote of the consultation (120,00 - 10 %) and a product, as the record form sends it.
    double OrcamentoComServicoEProduto() {
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        grade.AdicionarProduto(QStringLiteral("7891234567895"), 100, 10, QStringLiteral("2,000"),
                               QStringLiteral("219,90"), QStringLiteral("0,00"), QStringLiteral("0,00"),
                               QStringLiteral("439,80"), QStringLiteral("145,00"));
        orcamento->ValorTotal = VB::CCur(QStringLiteral("559,80"));
        orcamento->DescontoEmPercentual = VB::CCur(QStringLiteral("2,14"));
        orcamento->ValorLiquido = VB::CCur(QStringLiteral("547,80"));
        return orcamento->Adicionar() == 0 ? orcamento->CodigoGerado : 0;
    }

    // A quote of n vaccines at 90,00 each.
    double OrcamentoDeVacinas(int n) {
        GradeEmMemoria grade;
        for (int i = 0; i < n; ++i)
            grade.AdicionarServico(1, 2, 10, QStringLiteral("1"), QStringLiteral("90,00"),
                                   QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("90,00"));
        auto orcamento = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        orcamento->CodigoDoCliente = 1;
        orcamento->CodigoDoAnimal = 10;
        orcamento->ValorTotal = Currency::DeInteiro(90 * n);
        orcamento->ValorLiquido = Currency::DeInteiro(90 * n);
        orcamento->DataDeValidadeDoOrcamento = Agora.date().toString(QStringLiteral("dd/MM/yyyy"));
        orcamento->GradeDeItensDoOrcamento = &grade;
        orcamento->DadosDoUsuario = musuario.get();
        const qint16 resultado = orcamento->Adicionar();
        if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha;
        return resultado == 0 ? orcamento->CodigoGerado : 0;
    }

private slots:
    void selecao_para_o_formulario() {
        double numero = OrcamentoComServicoEProduto();
        QCOMPARE(numero, 1.0);
        auto itens = Itens();
        qint16 tamanho = 5;
        QCOMPARE(itens->Selecionar(1, tamanho, 0, numero), QVariant(false));
        RecordsetPtr rs = itens->ResultadoDaSelecaoEmRecordSet();
        // Every field, by name and in order, with its default text form.
        QCOMPARE(Conteudo(*rs),
                 (QStringList{
                     QStringLiteral(
                         "NumeroDoItemDoOrcamento=1|TipoDeLancamento=1|"
                         "NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto=1|"
                         "CodigoDoServicoOuCodigoInternoDoProduto=1|NomeDoServico=Consulta clínica|"
                         "NomeDoProduto=Null|CodigoDoAnimal=10|NomeDoAnimal=Rex|Quantidade=1|"
                         "ValorUnitario=120|DescontoEmPercentual=10|DescontoEmValor=12|ValorTotal=108|"
                         "Custo=48|TipoDeVenda=1|Situacao=1|DataEHoraDaInclusao=%1|UsuarioDaInclusao=ANA|"
                         "DataEHoraDaAlteracao=Null|UsuarioDaAlteracao=Null|NumeroDoOrcamento=1|"
                         "NomeDoServicoOuNomeDoProduto=Consulta "
                         "clínica|ValorLiquido=108|DataDeValidadeDoOrcamento=%2")
                         .arg(Agora.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), Validade()),
                     QStringLiteral(
                         "NumeroDoItemDoOrcamento=2|TipoDeLancamento=2|"
                         "NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto=7891234567895|"
                         "CodigoDoServicoOuCodigoInternoDoProduto=100|NomeDoServico=Null|"
                         "NomeDoProduto=Ração Cães 15 kg|CodigoDoAnimal=10|NomeDoAnimal=Rex|Quantidade=2|"
                         "ValorUnitario=219,9|DescontoEmPercentual=0|DescontoEmValor=0|ValorTotal=439,8|"
                         "Custo=145|TipoDeVenda=1|Situacao=1|DataEHoraDaInclusao=%1|UsuarioDaInclusao=ANA|"
                         "DataEHoraDaAlteracao=Null|UsuarioDaAlteracao=Null|NumeroDoOrcamento=1|"
                         "NomeDoServicoOuNomeDoProduto=Ração Cães 15 "
                         "kg|ValorLiquido=439,8|DataDeValidadeDoOrcamento=%2")
                         .arg(Agora.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), Validade())}));
    }

    void selecao_para_a_ficha() {
        double numero = OrcamentoComServicoEProduto();
        auto itens = Itens();
        qint16 tamanho = 5;
        QCOMPARE(itens->Selecionar(2, tamanho, 0, numero), QVariant(false));
        RecordsetPtr rs = itens->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(
            Conteudo(*rs),
            (QStringList{QStringLiteral("NumeroDoOrcamento=1|NomeDoServicoOuNomeDoProduto=Consulta clínica|"
                                        "NomeDoAnimal=Rex|Quantidade=1|ValorUnitario=120|DescontoEmValor=12|"
                                        "ValorLiquido=108|TipoDeLancamento=1|DataDeValidadeDoOrcamento=") +
                             Validade(),
                         QStringLiteral("NumeroDoOrcamento=1|NomeDoServicoOuNomeDoProduto=Ração Cães 15 kg|"
                                        "NomeDoAnimal=Rex|Quantidade=2|ValorUnitario=219,9|DescontoEmValor=0|"
                                        "ValorLiquido=439,8|TipoDeLancamento=2|DataDeValidadeDoOrcamento=") +
                             Validade()}));
        rs->MoveFirst();
        QCOMPARE(rs->Fields(QStringLiteral("NumeroDoOrcamento")).Value.typeId(), QMetaType::Double);
    }

    void paginas_e_selecoes_vazias() {
        double numero = OrcamentoDeVacinas(7);
        QVERIFY(numero > 0);
        auto itens = Itens();
        qint16 tamanho = 3;
        QCOMPARE(itens->Selecionar(1, tamanho, 0, numero), QVariant(false));
        RecordsetPtr rs = itens->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 7);
        QCOMPARE(rs->PageSize(), 3);
        QCOMPARE(rs->PageCount(), 3);
        rs->SetAbsolutePage(3);
        QCOMPARE(rs->Fields(QStringLiteral("NumeroDoItemDoOrcamento")).Value, QVariant(qint32(7)));

        qint16 zero = 0;
        QCOMPARE(itens->Selecionar(1, zero, 0, numero), QVariant(false));
        QCOMPARE(zero, qint16(10));
        QCOMPARE(itens->ResultadoDaSelecaoEmRecordSet()->PageCount(), 1);

        double naoGravado = 0;
        QCOMPARE(itens->Selecionar(1, tamanho, 0, naoGravado), QVariant(false));
        QCOMPARE(itens->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
        double inexistente = 4321;
        QCOMPARE(itens->Selecionar(2, tamanho, 0, inexistente), QVariant(false));
        QCOMPARE(itens->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);

        QCOMPARE(itens->Selecionar(3, tamanho, 0, numero), QVariant(true));
        QCOMPARE(itens->NumeroDoErro, 5L);
        QCOMPARE(itens->ObservacaoDoErro, itens->DescricaoDoErro);
        QVERIFY(!itens->ObservacaoDoErro.isEmpty());
        QCOMPARE(itens->LocalDoErro, QStringLiteral("ZELT_N_Orcamentos, clsOrcItens, Selecionar"));
    }

    void excluir_um_item() {
        double numero = OrcamentoDeVacinas(3);
        auto itens = Itens();
        itens->ValorTotalDoOrcamento = Currency::DeInteiro(200);
        itens->ValorLiquidoDoOrcamento = VB::CCur(QStringLiteral("170,5"));
        double item = 2;
        QCOMPARE(itens->Excluir(numero, item), QVariant(false));
        QCOMPARE(itens->NumeroDoErro, 0L);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoItemDoOrcamento = 2"),
                 qint64(0));
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(2));
        QCOMPARE(Numero("SELECT ValorTotal FROM Orcamentos"), qint64(2000000));
        QCOMPARE(Numero("SELECT ValorLiquido FROM Orcamentos"), qint64(1705000));
        QCOMPARE(Numero("SELECT DescontoEmValor FROM Orcamentos"), qint64(295000));
        // 29,5 of 200 is 14,75 %.
        QCOMPARE(Numero("SELECT DescontoEmPercentual FROM Orcamentos"), qint64(147500));
        // Removing is part of the change being made: the quote's version stamp waits for its save.
        QVERIFY(Banco::Valor(QStringLiteral("SELECT DataEHoraDaAlteracao FROM Orcamentos")).isNull());

        // Item 0 is a row the form has not stored: nothing to do.
        double novo = 0;
        QCOMPARE(itens->Excluir(numero, novo), QVariant(false));
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(2));
    }

    void recusas_de_excluir() {
        double numero = OrcamentoDeVacinas(2);
        double sozinho = OrcamentoDeVacinas(1);
        auto itens = Itens();
        itens->ValorTotalDoOrcamento = Currency::DeInteiro(90);
        itens->ValorLiquidoDoOrcamento = Currency::DeInteiro(90);
        auto recusa = [&](double orcamento, double item, const QString& descricao) {
            QCOMPARE(itens->Excluir(orcamento, item), QVariant(true));
            QCOMPARE(itens->NumeroDoErro, NumeroDeRegraDeNegocio);
            QCOMPARE(itens->ObservacaoDoErro, descricao);
            QCOMPARE(itens->DescricaoDoErro, descricao);
            QCOMPARE(itens->LocalDoErro, QStringLiteral("ZELT_N_Orcamentos, clsOrcItens, Excluir"));
        };
        recusa(numero, 99, QStringLiteral("O item 99 do orçamento 1 não existe mais."));
        recusa(77, 1, QStringLiteral("O orçamento 77 não existe mais."));
        recusa(sozinho, 1,
               QStringLiteral("Há apenas um item neste orçamento. Caso precise removê-lo, faça a exclusão do "
                              "orçamento."));
        itens->ValorLiquidoDoOrcamento = Currency::DeInteiro(100);
        recusa(
            numero, 1,
            QStringLiteral("Os totais informados para o orçamento 1 não são válidos: valor total 90, valor "
                           "líquido 100."));
        itens->ValorLiquidoDoOrcamento = Currency::DeInteiro(90);
        Banco::Executar(QStringLiteral("UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento = 1"));
        recusa(numero, 1, QStringLiteral("O orçamento 1 está inativo e não pode mais ser alterado."));
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(3));
        QCOMPARE(Numero("SELECT ValorTotal FROM Orcamentos WHERE NumeroDoOrcamento = 1"), qint64(1800000));
    }
};

QTEST_GUILESS_MAIN(TesteDoOrcItens)
#include "tst_negocio_orcitens.moc"
