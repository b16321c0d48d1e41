// The client's approval (ZELT_N_Orcamentos.clsAprovacaoDoOrcamento): items declined,
// who and how, the signature, a stale approval, the approval undone by a change; and the
// payments against it: never above the approved value, never changed, reversed by an
// administrator only, two workstations paying at once.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "contracts/Textos.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsAprovacaoDoOrcamento;
namespace Etapa = ZELT_N_Orcamentos::Etapa;

namespace {

// The layer stores a signature's PNG as it comes, checking its signature bytes and size:
// a PNG's signature followed by that many kilobytes.
QByteArray Png(int kilobytes) {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(kilobytes * 1024, 'x');
}

VB::Currency Reais(const char* texto) {
    return VB::CCur(QString::fromLatin1(texto));
}

QStringList Historia(double numero) {
    return BancoDeTeste::Textos(
        u"SELECT Operacao FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ? ORDER BY NumeroDoRegistro"_s,
        {numero});
}

} // namespace

class TesteDaAprovacao : public TesteDeNegocio {
    Q_OBJECT

    // A quote of two items (108,00 and 120,00) approved whole by telephone.
    double OrcamentoAprovado() {
        const double numero = NovoOrcamentoDeDoisServicos();
        return AprovarSemItens(numero, {}) == 0 ? numero : 0;
    }

private slots:
    void cpf_mascarado() {
        QCOMPARE(Textos::CpfMascarado(u"529.982.247-25"_s), u"***.982.247-**"_s);
        QCOMPARE(Textos::CpfMascarado(u"5299822472"_s), QString());
    }

    void aprovar_data() {
        // assinatura: side of the PNG drawn; 0 none
        // campo: empty: approved
        // esperado: the stage, or the message (%1: the number)
        Colunas<QList<qint32>, QString, QString, int, QString, QString, QString>(
            "recusados", "cpf", "como", "assinatura", "campo", "esperado", "valor");
        Linha("todos aprovados", QList<qint32>{}, u""_s, u"Telefone"_s, 0, u""_s, Etapa::Aprovado,
              u"228,00"_s);
        Linha("um recusado", QList<qint32>{2}, u""_s, u"WhatsApp"_s, 0, u""_s, Etapa::AprovadoEmParte,
              u"108,00"_s);
        Linha("presencial assinado, outro responsável", QList<qint32>{1}, u"529.982.247-25"_s,
              u"Presencial"_s, 2, u""_s, Etapa::AprovadoEmParte, u"120,00"_s);
        Linha("presencial sem assinatura", QList<qint32>{}, u""_s, u"Presencial"_s, 0, u"Assinatura"_s,
              u"Na aprovação presencial, peça ao cliente que assine no quadro."_s, u""_s);
        Linha("assinatura grande demais", QList<qint32>{}, u""_s, u"Presencial"_s, 100, u"Assinatura"_s,
              u"A assinatura tem 101 KB; o máximo é 64 KB: limpe o quadro e assine de novo."_s, u""_s);
        Linha("cpf errado", QList<qint32>{}, u"529.982.247-24"_s, u"Telefone"_s, 0, u"CPF"_s,
              u"O CPF 529.982.247-24 não é válido: confira os dígitos."_s, u""_s);
        Linha("meio desconhecido", QList<qint32>{}, u""_s, u"Fax"_s, 0, u"Como"_s,
              u"O meio de aprovação \"Fax\" não é conhecido."_s, u""_s);
        Linha("todos recusados", QList<qint32>{1, 2}, u""_s, u"Telefone"_s, 0, u"ItensRecusados"_s,
              u"Nenhum item do orçamento %1 ficou aprovado: registre a recusa do orçamento."_s, u""_s);
        Linha("item de outro orçamento", QList<qint32>{9}, u""_s, u"Telefone"_s, 0, u"ItensRecusados"_s,
              u"O item 9 não é do orçamento %1."_s, u""_s);
    }
    void aprovar() {
        QFETCH(QList<qint32>, recusados);
        QFETCH(QString, cpf);
        QFETCH(QString, como);
        QFETCH(int, assinatura);
        QFETCH(QString, campo);
        QFETCH(QString, esperado);
        QFETCH(QString, valor);
        const double numero = NovoOrcamentoDeDoisServicos();
        QVERIFY(numero > 0);
        const QStringList antes = Historia(numero);
        auto aprovacao = Aprovacao();
        QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
        const QByteArray png = assinatura ? Png(assinatura) : QByteArray();
        const qint16 resultado = aprovacao->Aprovar(
            numero, recusados, cpf.isEmpty() ? u"Maria"_s : u"José Alves"_s, cpf, como, png);
        if (!campo.isEmpty()) {
            QCOMPARE(resultado, Resultado::Rejeitado);
            QCOMPARE(aprovacao->NomeDoCampoValidado, campo);
            QCOMPARE(aprovacao->DescricaoDaFalha,
                     QString(esperado).replace(u"%1"_s, QString::number(qint64(numero))));
            QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
            QCOMPARE(aprovacao->EtapaDoOrcamento, Etapa::EmAberto);
            QVERIFY(!aprovacao->Aprovado);
            QCOMPARE(Historia(numero), antes);
            QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento"), 0);
            return;
        }
        QCOMPARE(resultado, Resultado::Sucesso);
        QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
        QCOMPARE(aprovacao->EtapaDoOrcamento, esperado);
        QVERIFY(aprovacao->Aprovado);
        QCOMPARE(aprovacao->ValorAprovado, VB::CCur(valor));
        QCOMPARE(aprovacao->ItensRecusados, recusados);
        QCOMPARE(aprovacao->CPF, cpf);
        QCOMPARE(aprovacao->Meio, como);
        QCOMPARE(aprovacao->Assinatura, png);
        QCOMPARE(aprovacao->UsuarioDaAprovacao, u"ANA"_s);
        QCOMPARE(Historia(numero),
                 antes + QStringList{recusados.isEmpty() ? u"aprovado"_s : u"aprovado em parte"_s});
    }

    // The second item (120,00) "se necessário": the approved range's low end leaves it out,
    // to the cent, read back and stored; the first is 108,00 with its discount.
    void faixa_aprovada_data() {
        Colunas<QList<qint32>, QString, QString>("recusados", "minimo", "maximo");
        Linha("todos aprovados", QList<qint32>{}, u"108,00"_s, u"228,00"_s);
        Linha("o se necessário recusado", QList<qint32>{2}, u"108,00"_s, u"108,00"_s);
        Linha("só o se necessário", QList<qint32>{1}, u"0,00"_s, u"120,00"_s);
    }
    void faixa_aprovada() {
        QFETCH(QList<qint32>, recusados);
        QFETCH(QString, minimo);
        QFETCH(QString, maximo);
        const double numero = NovoOrcamentoDeDoisServicos();
        Banco::Executar(u"INSERT INTO ItensSeNecessario VALUES (?, 2)"_s, {numero});
        QCOMPARE(AprovarSemItens(numero, recusados), Resultado::Sucesso);
        auto aprovacao = Aprovacao();
        QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
        QCOMPARE(aprovacao->ValorAprovadoMinimo, VB::CCur(minimo));
        QCOMPARE(aprovacao->ValorAprovado, VB::CCur(maximo));
        QCOMPARE(Numero("SELECT ValorAprovadoMinimo FROM AprovacoesDoOrcamento"),
                 VB::CCur(minimo).DecimosDeMilesimos());
    }

    // Another workstation changed the quote after this one read it: refused as a stale
    // save, nothing stored.
    void aprovacao_de_versao_lida_antes_recusada() {
        const double numero = NovoOrcamentoDeDoisServicos();
        auto aprovacao = Aprovacao();
        aprovacao->Ler(numero);
        auto etapas = Etapas();
        etapas->Ler(numero);
        QCOMPARE(etapas->EntregueAoCliente(numero), Resultado::Sucesso);
        QCOMPARE(aprovacao->Aprovar(numero, {}, u"Maria"_s, {}, u"Telefone"_s, {}), Resultado::Recusado);
        QVERIFY2(aprovacao->DescricaoDaFalha.contains(
                     u"depois que este formulário o leu. O orçamento não foi aprovado"_s),
                 qPrintable(aprovacao->DescricaoDaFalha));
        QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento"), 0);
        QCOMPARE(Historia(numero).constLast(), u"entregue ao cliente"_s);
    }

    // A change of an approved quote (here saved as it was) undoes the approval in the
    // same save: kept on record with its signature, the stage back to "Enviado" for a
    // quote that was sent, the history telling both.
    void alteracao_desfaz_a_aprovacao() {
        const double numero = NovoOrcamentoDeDoisServicos();
        QCOMPARE(Envio()->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalEmail, u"ana@exemplo.com.br"_s),
                 Resultado::Sucesso);
        auto aprovacao = Aprovacao();
        aprovacao->Ler(numero);
        const QByteArray png = Png(3);
        QCOMPARE(aprovacao->Aprovar(numero, {2}, u"Maria"_s, {}, u"Presencial"_s, png), Resultado::Sucesso);
        auto grade = GradeEmMemoria::DoOrcamento(numero);
        auto orcamento =
            BancoDeTeste::Orcamento(grade, musuario.get(), u"240,00|5,00|12,00|228,00"_s, numero);
        orcamento->DataEHoraDaAlteracaoLida = aprovacao->DataEHoraDaAlteracaoLida;
        // Asked first: nothing changes until the person agrees.
        QCOMPARE(orcamento->Alterar(), Resultado::Rejeitado);
        QCOMPARE(orcamento->NomeDoCampoValidado, u"Aprovacao"_s);
        QCOMPARE(orcamento->DescricaoDaFalha,
                 u"O orçamento %1 foi aprovado por Maria em %2; alterá-lo desfaz a aprovação."_s.arg(
                     QString::number(qint64(numero)), Relogio::Hoje().toString(u"dd/MM/yyyy"_s)));
        QCOMPARE(Historia(numero).constLast(), u"aprovado em parte"_s);
        orcamento->DesfazerAprovacao = true;
        QCOMPARE(orcamento->Alterar(), Resultado::Sucesso);
        QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
        QVERIFY(!aprovacao->Aprovado);
        QCOMPARE(aprovacao->EtapaDoOrcamento, Etapa::Enviado);
        QCOMPARE(Historia(numero),
                 (QStringList{u"incluído"_s, u"enviado por e-mail"_s, u"aprovado em parte"_s,
                              u"aprovação desfeita"_s, u"alterado"_s}));
        QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento WHERE DataEHoraDesfeita IS NOT NULL AND "
                        "UsuarioQueDesfez = 'ANA' AND Assinatura IS NOT NULL"),
                 1);
        // Approved again, then given up: the refusal ends the approval too.
        QCOMPARE(aprovacao->Aprovar(numero, {}, u"Maria"_s, {}, u"Telefone"_s, {}), Resultado::Sucesso);
        auto etapas = Etapas();
        etapas->Ler(numero);
        QCOMPARE(etapas->RegistrarRecusa(numero, u"Desistiu"_s, {}), Resultado::Sucesso);
        aprovacao->Ler(numero);
        QVERIFY(!aprovacao->Aprovado);
        QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento WHERE DataEHoraDesfeita IS NULL"), 0);
    }

    void pagamentos() {
        const double numero = OrcamentoAprovado();
        QVERIFY(numero > 0);
        auto aprovacao = Aprovacao();
        const auto balconista = Usuario(u"BIA"_s, false);
        auto doBalcao = Aprovacao(balconista.get());
        QCOMPARE(doBalcao->RegistrarPagamento(numero, Reais("100"), u"Pix"_s, u"E00001"_s),
                 Resultado::Sucesso);
        const double primeiro = doBalcao->NumeroGerado;
        const struct {
            const char* caso;
            std::function<qint16()> fazer;
            qint16 resultado;
            QString mensagem;
        } passos[] = {
            {"acima do aprovado",
             [&] { return doBalcao->RegistrarPagamento(numero, Reais("128,01"), u"Dinheiro"_s, {}); },
             Resultado::Rejeitado,
             u"O pagamento de R$ 128,01 passa do valor aprovado: foram aprovados R$ 228,00 e já foram pagos "
             "R$ 100,00; falta pagar R$ 128,00."_s},
            {"pix sem identificador",
             [&] { return doBalcao->RegistrarPagamento(numero, Reais("10"), u"Pix"_s, {}); },
             Resultado::Rejeitado,
             u"Informe o identificador da transação Pix (até 35 letras e dígitos, como aparece no comprovante)."_s},
            {"valor zero",
             [&] { return doBalcao->RegistrarPagamento(numero, Reais("0"), u"Dinheiro"_s, {}); },
             Resultado::Rejeitado, u"O valor do pagamento deve ser maior que zero."_s},
            {"estorno pelo balcão", [&] { return doBalcao->EstornarPagamento(primeiro, u"duplicado"_s); },
             Resultado::Recusado, u"Só um administrador pode estornar um pagamento."_s},
            {"estorno sem motivo", [&] { return aprovacao->EstornarPagamento(primeiro, u" "_s); },
             Resultado::Rejeitado, u"Informe o motivo do estorno."_s},
            {"o resto",
             [&] { return doBalcao->RegistrarPagamento(numero, Reais("128"), u"Dinheiro"_s, {}); },
             Resultado::Sucesso,
             {}},
            {"estorno",
             [&] { return aprovacao->EstornarPagamento(primeiro, u"pago em duplicidade"_s); },
             Resultado::Sucesso,
             {}},
            {"estorno de novo", [&] { return aprovacao->EstornarPagamento(primeiro, u"de novo"_s); },
             Resultado::Rejeitado, u"O pagamento %1 já é um estorno ou já foi estornado."_s.arg(primeiro)}};
        for (const auto& passo : passos) {
            const qint16 obtido = passo.fazer();
            const QString descricao = doBalcao->DescricaoDaFalha + aprovacao->DescricaoDaFalha;
            QVERIFY2(obtido == passo.resultado, passo.caso);
            QCOMPARE(descricao, passo.mensagem);
            doBalcao->DescricaoDaFalha.clear(), aprovacao->DescricaoDaFalha.clear();
        }
        QCOMPARE(aprovacao->Ler(numero), Resultado::Sucesso);
        QCOMPARE(aprovacao->ValorPago, Reais("128"));
        QCOMPARE(aprovacao->SelecionarPagamentos(numero), QVariant(false));
        QCOMPARE(aprovacao->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 3);
        QCOMPARE(
            Numero("SELECT SUM(Valor) FROM PagamentosDoOrcamento WHERE EstornoDe IS NOT NULL AND Motivo = "
                   "'pago em duplicidade'"),
            -1000000);
        // Money on record stays: the quote is not deleted.
        auto orcamento = Objeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        orcamento->NumeroDoOrcamento = numero;
        orcamento->DataEHoraDaAlteracaoLida = aprovacao->DataEHoraDaAlteracaoLida;
        QCOMPARE(orcamento->Excluir(), Resultado::Recusado);
        QCOMPARE(orcamento->DescricaoDaFalha,
                 u"O orçamento %1 tem pagamentos registrados e não pode ser excluído: inative-o."_s.arg(
                     qint64(numero)));
        // And nothing is paid on a quote not approved.
        const double aberto = NovoOrcamento();
        QCOMPARE(doBalcao->RegistrarPagamento(aberto, Reais("10"), u"Dinheiro"_s, {}), Resultado::Recusado);
        QCOMPARE(doBalcao->DescricaoDaFalha,
                 u"O orçamento %1 não está aprovado: registre a aprovação antes do pagamento."_s.arg(
                     qint64(aberto)));
    }

    // Two workstations pay 150,00 each against 228,00 at the same moment: the quote's
    // lock orders them, one is told what is left.
    void duas_estacoes_pagam_ao_mesmo_tempo() {
        if (BancoEhSQLite()) QSKIP("workstations as processes of their own run on PostgreSQL");
        const double numero = OrcamentoAprovado();
        QVERIFY(numero > 0);
        const QByteArray saidas =
            msessao->DuasEstacoes(msessao->Pasta().filePath(u"inicio"_s), {u"pagar"_s, u"pagar"_s}, numero);
        QVERIFY2(!saidas.startsWith("falha: "), saidas.constData());
        QCOMPARE(saidas.count("resultado 0"), 1);
        QCOMPARE(saidas.count("resultado 2"), 1);
        QVERIFY2(saidas.contains("falta pagar R$ 78,00."), saidas.constData());
        QCOMPARE(Numero("SELECT SUM(Valor) FROM PagamentosDoOrcamento"), 1500000);
    }
};

QTEST_GUILESS_MAIN(TesteDaAprovacao)
#include "tst_negocio_aprovacao.moc"
