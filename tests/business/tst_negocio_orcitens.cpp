// ZELT_N_Orcamentos.clsOrcItens on a real database: the items of a quote for the
// record form (selection 1) and for the quote sheet (selection 2), and the removal of
// one item that the record form sends at once in change mode, a change of the stored
// quote like its save.

#include "tests/business/TesteDeNegocio.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using VB::Currency;
using ZELT_N_Orcamentos::clsOrcItens;

namespace {

constexpr long NumeroDeRegraDeNegocio = -2147221504L + 514;
const QDateTime Agora(QDate::currentDate(), QTime(9, 15, 30));

std::unique_ptr<clsOrcItens> Itens() {
    return Zelt::CriarObjeto<clsOrcItens>(ProgId::OrcItens);
}

QString Texto(const QDateTime& carimbo) {
    return carimbo.toString(u"dd/MM/yyyy HH:mm:ss"_s);
}

// The stored header's four totals and the items' count, as the list would read them.
QString Cabecalho(double numero) {
    QSqlQuery q = Banco::Executar(u"SELECT ValorTotal, DescontoEmPercentual, DescontoEmValor, "
                                  "ValorLiquido, (SELECT COUNT(*) FROM ItensDeOrcamento i WHERE "
                                  "i.NumeroDoOrcamento = o.NumeroDoOrcamento) AS Itens FROM "
                                  "Orcamentos o WHERE NumeroDoOrcamento = ?"_s,
                                  {numero});
    if (!q.next()) return u"ausente"_s;
    QStringList valores;
    for (const char* coluna : {"ValorTotal", "DescontoEmPercentual", "DescontoEmValor", "ValorLiquido"})
        valores << VB::Format(QVariant::fromValue(Banco::MoedaDe(Banco::Coluna(q, coluna))), u"#,##0.00"_s);
    return valores.join(u'|') + u" em "_s + Banco::Coluna(q, "Itens").toString();
}

} // namespace

class TesteDoOrcItens : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    // The validity BancoDeTeste::OrcamentoValido gives: ten days after the quote.
    static QString Validade() { return Agora.date().addDays(10).toString(u"dd/MM/yyyy"_s); }

    // NovoOrcamentoComProduto's quote (the consultation, 120,00 - 10 %, and a product) with a
    // vaccine (90,00) as well, as the record form sends it.
    double OrcamentoComVacina() {
        GradeEmMemoria grade;
        auto orcamento = OrcamentoComProduto(grade, musuario.get());
        grade.AdicionarServico(1, 2, 10, u"1"_s, u"90,00"_s, u"0,00"_s, u"0,00"_s, u"90,00"_s);
        DefinirTotais(*orcamento, u"649,80|1,85|12,00|637,80"_s);
        return orcamento->Adicionar() == 0 ? orcamento->CodigoGerado : 0;
    }

    // A workstation's save of the quote as its record form holds it: the stored items it
    // read, less those it removed, with the totals it shows and the version it read.
    qint16 Salvar(double numero, const QList<int>& removidos, const QString& versaoLida) {
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        for (int linha = grade.Rows() - 1; linha >= 1; --linha)
            if (removidos.contains(grade.TextMatrix(linha, GradeDeItens::NumeroDoItem).toInt()))
                grade.RemoverLinha(linha);
        Currency total, desconto;
        for (int linha = 1; linha < grade.Rows(); ++linha) {
            total += VB::CCur(grade.TextMatrix(linha, GradeDeItens::Quantidade)) *
                     VB::CCur(grade.TextMatrix(linha, GradeDeItens::ValorUnitario));
            desconto += VB::CCur(grade.TextMatrix(linha, GradeDeItens::ValorDeDesconto));
        }
        auto orcamento = Orcamento(grade, musuario.get(), u"0|0|0|0"_s, numero);
        orcamento->ValorTotal = total;
        orcamento->DescontoEmValor = desconto;
        orcamento->DescontoEmPercentual = Currency::DeDouble((desconto * 100) / total);
        orcamento->ValorLiquido = total - desconto;
        orcamento->DataEHoraDaAlteracaoLida = versaoLida;
        return orcamento->Alterar();
    }

    // A quote of n vaccines at 90,00 each.
    double OrcamentoDeVacinas(int n) {
        GradeEmMemoria grade;
        for (int i = 0; i < n; ++i)
            grade.AdicionarServico(1, 2, 10, u"1"_s, u"90,00"_s, u"0,00"_s, u"0,00"_s, u"90,00"_s);
        auto orcamento = Orcamento(grade, musuario.get(), u"%1|0|0|%1"_s.arg(90 * n));
        const qint16 resultado = orcamento->Adicionar();
        if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha;
        return resultado == 0 ? orcamento->CodigoGerado : 0;
    }

private slots:
    void selecao_para_o_formulario() {
        double numero = NovoOrcamentoComProduto();
        QCOMPARE(numero, 1.0);
        auto itens = Itens();
        qint16 tamanho = 5;
        QCOMPARE(itens->Selecionar(1, tamanho, 0, numero), QVariant(false));
        RecordsetPtr rs = itens->ResultadoDaSelecaoEmRecordSet();
        // Every field, by name and in order, with its default text form.
        QCOMPARE(
            Conteudo(*rs),
            (QStringList{u"NumeroDoItemDoOrcamento=1|TipoDeLancamento=1|"
                         "NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto=1|"
                         "CodigoDoServicoOuCodigoInternoDoProduto=1|NomeDoServico=Consulta clínica|"
                         "NomeDoProduto=Null|CodigoDoAnimal=10|NomeDoAnimal=Rex|Quantidade=1|"
                         "ValorUnitario=120|DescontoEmPercentual=10|DescontoEmValor=12|ValorTotal=108|"
                         "Custo=48|TipoDeVenda=1|Situacao=1|DataEHoraDaInclusao=%1|UsuarioDaInclusao=ANA|"
                         "DataEHoraDaAlteracao=Null|UsuarioDaAlteracao=Null|NumeroDoOrcamento=1|"
                         "NomeDoServicoOuNomeDoProduto=Consulta "
                         "clínica|ValorLiquido=108|DataDeValidadeDoOrcamento=%2|SeNecessario=0"_s.arg(
                             Agora.toString(u"dd/MM/yyyy HH:mm:ss"_s), Validade()),
                         u"NumeroDoItemDoOrcamento=2|TipoDeLancamento=2|"
                         "NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto=7891234567895|"
                         "CodigoDoServicoOuCodigoInternoDoProduto=100|NomeDoServico=Null|"
                         "NomeDoProduto=Ração Cães 15 kg|CodigoDoAnimal=10|NomeDoAnimal=Rex|Quantidade=2|"
                         "ValorUnitario=219,9|DescontoEmPercentual=0|DescontoEmValor=0|ValorTotal=439,8|"
                         "Custo=145|TipoDeVenda=1|Situacao=1|DataEHoraDaInclusao=%1|UsuarioDaInclusao=ANA|"
                         "DataEHoraDaAlteracao=Null|UsuarioDaAlteracao=Null|NumeroDoOrcamento=1|"
                         "NomeDoServicoOuNomeDoProduto=Ração Cães 15 "
                         "kg|ValorLiquido=439,8|DataDeValidadeDoOrcamento=%2|SeNecessario=0"_s.arg(
                             Agora.toString(u"dd/MM/yyyy HH:mm:ss"_s), Validade())}));
    }

    void selecao_para_a_ficha() {
        double numero = NovoOrcamentoComProduto();
        auto itens = Itens();
        qint16 tamanho = 5;
        QCOMPARE(itens->Selecionar(2, tamanho, 0, numero), QVariant(false));
        RecordsetPtr rs = itens->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Conteudo(*rs),
                 (QStringList{u"NumeroDoOrcamento=1|NomeDoServicoOuNomeDoProduto=Consulta clínica|"
                              "NomeDoAnimal=Rex|Quantidade=1|ValorUnitario=120|DescontoEmValor=12|"
                              "ValorLiquido=108|TipoDeLancamento=1|DataDeValidadeDoOrcamento="_s +
                                  Validade(),
                              u"NumeroDoOrcamento=1|NomeDoServicoOuNomeDoProduto=Ração Cães 15 kg|"
                              "NomeDoAnimal=Rex|Quantidade=2|ValorUnitario=219,9|DescontoEmValor=0|"
                              "ValorLiquido=439,8|TipoDeLancamento=2|DataDeValidadeDoOrcamento="_s +
                                  Validade()}));
        rs->MoveFirst();
        QCOMPARE(rs->Fields(u"NumeroDoOrcamento"_s).Value.typeId(), QMetaType::Double);
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
        QCOMPARE(rs->Fields(u"NumeroDoItemDoOrcamento"_s).Value, QVariant(qint32(7)));

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
        QCOMPARE(itens->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcItens, Selecionar"_s);
    }

    // A removal stores the quote's totals as the sums of the items left, whatever totals
    // the form sent (they may count rows not stored yet), with a new version stamp that
    // the form's save then hands back.
    void excluir_um_item() {
        const double numero = OrcamentoComVacina();
        QCOMPARE(Cabecalho(numero), u"649,80|1,85|12,00|637,80 em 3"_s);
        FixarRelogio(Agora.addSecs(60));
        auto itens = Itens();
        itens->DadosDoUsuario = musuario.get();
        itens->ValorTotalDoOrcamento = Currency::DeInteiro(900);
        itens->ValorLiquidoDoOrcamento = VB::CCur(u"170,5"_s);
        double orcamento = numero, vacina = 3;
        QCOMPARE(itens->Excluir(orcamento, vacina), QVariant(false));
        QCOMPARE(itens->NumeroDoErro, 0L);
        // 12,00 of 559,80 is 2,1436 %.
        QCOMPARE(Cabecalho(numero), u"559,80|2,14|12,00|547,80 em 2"_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoItemDoOrcamento = 3"),
                 qint64(0));
        QCOMPARE(itens->DataEHoraDaAlteracaoLida, Texto(Agora.addSecs(60)));
        QCOMPARE(Banco::Valor(u"SELECT UsuarioDaAlteracao FROM Orcamentos"_s), QVariant(u"ANA"_s));

        // Item 0 is a row the form has not stored: nothing to do, the version stays.
        double novo = 0;
        FixarRelogio(Agora.addSecs(120));
        QCOMPARE(itens->Excluir(orcamento, novo), QVariant(false));
        QCOMPARE(Cabecalho(numero) + u' ' + itens->DataEHoraDaAlteracaoLida,
                 u"559,80|2,14|12,00|547,80 em 2 "_s + Texto(Agora.addSecs(60)));
        // The form's later save, with the version its removal handed back, is stored; the
        // version before the removal is stale, as after any change.
        QCOMPARE(Salvar(numero, {}, QString()), qint16(3));
        QCOMPARE(Salvar(numero, {}, itens->DataEHoraDaAlteracaoLida), qint16(0));
        // Without the user's data the removal is refused as any write is, changing nothing.
        auto semUsuario = Itens();
        semUsuario->DataEHoraDaAlteracaoLida = Texto(Agora.addSecs(120));
        double produto = 2;
        QCOMPARE(semUsuario->Excluir(orcamento, produto), QVariant(true));
        QCOMPARE(semUsuario->NumeroDoErro, long(VB::ObjetoNaoDefinido));
        QCOMPARE(Cabecalho(numero), u"559,80|2,14|12,00|547,80 em 2"_s);
    }

    // Two workstations hold the same quote in change mode. B removes item 1 and saves;
    // A, still showing the old items, removes item 2: refused (3) as its save is, and the
    // stored header is always the sum of the stored items.
    void duas_estacoes_removem_itens() {
        const double numero = OrcamentoComVacina();
        auto estacaoA = Itens(), estacaoB = Itens();
        for (clsOrcItens* estacao : {estacaoA.get(), estacaoB.get()})
            estacao->DadosDoUsuario = musuario.get();
        double orcamento = numero, consulta = 1, produto = 2;
        FixarRelogio(Agora.addSecs(30));
        QCOMPARE(estacaoB->Excluir(orcamento, consulta), QVariant(false));
        QCOMPARE(Cabecalho(numero), u"529,80|0,00|0,00|529,80 em 2"_s);
        FixarRelogio(Agora.addSecs(45));
        QCOMPARE(Salvar(numero, {1}, estacaoB->DataEHoraDaAlteracaoLida), qint16(0));

        const QString recusa =
            u"O orçamento %1 foi alterado por ANA em %2, depois que este "
            "formulário o leu. O item não foi removido: feche o formulário "
            "e abra o orçamento novamente."_s.arg(QString::number(numero), Texto(Agora.addSecs(45)));
        QCOMPARE(estacaoA->Excluir(orcamento, produto), QVariant(qint16(3)));
        QCOMPARE(estacaoA->DescricaoDaFalha, recusa);
        QCOMPARE(estacaoA->ObservacaoDoErro, recusa);
        QCOMPARE(estacaoA->NumeroDoErro, NumeroDeRegraDeNegocio);
        QCOMPARE(estacaoA->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcItens, Excluir"_s);
        QCOMPARE(Cabecalho(numero), u"529,80|0,00|0,00|529,80 em 2"_s);
        // A's save is refused too: nothing of A's stale quote is stored.
        QCOMPARE(Salvar(numero, {1, 2}, QString()), qint16(3));
        QCOMPARE(Cabecalho(numero), u"529,80|0,00|0,00|529,80 em 2"_s);
        // A quote deleted elsewhere: refused the same way.
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {numero});
        estacaoA->DataEHoraDaAlteracaoLida = Texto(Agora.addSecs(45));
        QCOMPARE(estacaoA->Excluir(orcamento, produto), QVariant(qint16(3)));
        QCOMPARE(estacaoA->ObservacaoDoErro, u"O orçamento %1 não existe mais: ele foi excluído por "
                                             "outro usuário. O item não foi removido."_s.arg(numero));
    }

    void recusas_de_excluir() {
        double numero = OrcamentoDeVacinas(2);
        double sozinho = OrcamentoDeVacinas(1);
        auto itens = Itens();
        itens->DadosDoUsuario = musuario.get();
        auto recusa = [&](double orcamento, double item, const QString& descricao) {
            QCOMPARE(itens->Excluir(orcamento, item), QVariant(true));
            QCOMPARE(itens->NumeroDoErro, NumeroDeRegraDeNegocio);
            QCOMPARE(itens->ObservacaoDoErro, descricao);
            QCOMPARE(itens->DescricaoDoErro, descricao);
            QCOMPARE(itens->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcItens, Excluir"_s);
        };
        recusa(numero, 99, u"O item 99 do orçamento 1 não existe mais."_s);
        recusa(sozinho, 1,
               u"Há apenas um item neste orçamento. Caso precise removê-lo, faça a exclusão do orçamento."_s);
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento = 1"_s);
        recusa(numero, 1, u"O orçamento 1 está inativo e não pode mais ser alterado."_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(3));
        QCOMPARE(Numero("SELECT ValorTotal FROM Orcamentos WHERE NumeroDoOrcamento = 1"), qint64(1800000));
    }
};

QTEST_GUILESS_MAIN(TesteDoOrcItens)
#include "tst_negocio_orcitens.moc"
