// A quote's validity renewed (ZELT_N_Orcamentos.clsRenovacaoDeValidade): its items
// re-priced as the record form would price them typed today, or kept; the totals to the
// cent; the stamp, the stage and the date checked; the history entry.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "contracts/HistoricoDeOrcamentos.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsRenovacaoDeValidade;

namespace {

// Monday; the test registry's company gives ten days.
const QDateTime Agora(QDate(2026, 12, 7), QTime(9, 0));

QString Texto(const QVariant& valor) {
    return VB::Format(valor, u"#,##0.00"_s);
}

// The stored header "total|percentage|discount|net|validity" and whether it is the sum of
// the stored items to the cent.
QString Cabecalho(double numero) {
    return Consulta("SELECT ValorTotal || '|' || DescontoEmPercentual || '|' || DescontoEmValor || '|' || "
                    "ValorLiquido || '|' || DataDeValidadeDoOrcamento FROM Orcamentos WHERE "
                    "NumeroDoOrcamento = ?",
                    {numero});
}
bool CabecalhoEhASomaDosItens(double numero) {
    return Numero("SELECT COUNT(*) FROM Orcamentos o WHERE o.NumeroDoOrcamento = ? AND o.ValorLiquido = "
                  "(SELECT SUM(ValorTotal) FROM ItensDeOrcamento i WHERE i.NumeroDoOrcamento = ?) AND "
                  "o.DescontoEmValor = (SELECT SUM(DescontoEmValor) FROM ItensDeOrcamento i WHERE "
                  "i.NumeroDoOrcamento = ?)",
                  {numero, numero, numero}) == 1;
}
// Each stored item "unit|percentage|discount|total", in item order.
QString ItensGravados(double numero) {
    return Textos(u"SELECT ValorUnitario || '|' || DescontoEmPercentual || '|' || DescontoEmValor || '|' || "
                  "ValorTotal FROM ItensDeOrcamento WHERE NumeroDoOrcamento = %1 ORDER BY "
                  "NumeroDoItemDoOrcamento"_s.arg(qint64(numero)))
        .join(u' ');
}

} // namespace

class TesteDaRenovacao : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    std::unique_ptr<clsRenovacaoDeValidade> Renovacao() {
        return Objeto<clsRenovacaoDeValidade>(ProgId::RenovacaoDeValidade);
    }

    double OrcamentoDaMaria() { return BancoDeTeste::OrcamentoDaMaria(musuario.get(), true); }

private slots:
    void reprecificado_como_digitado_hoje_data() {
        // mudancas: item: unit before > after, total after
        // totais: total|percentage|discount|net
        // itens: stored after the renewal
        Colunas<bool, QString, QString, QString>("promocao", "mudancas", "totais", "itens");
        // The consultation's price raised to 130,00 and the feed's lowered to 199,90.
        Linha("preços do cadastro", false,
              u"Consulta clínica: 120,00 > 130,00 = 123,50; Ração Cães 15 kg: 219,90 > 199,90 = 399,80"_s,
              u"969,80|3,56|34,50|935,30"_s,
              u"1300000|50000|65000|1235000 3500000|80000|280000|3220000 1999000|0|0|3998000 "
              "450000|0|0|900000"_s);
        // A promotion of 10 % on services raises every service's percentage to it (the
        // product keeps none, as a product is typed).
        Linha("com promoção", true,
              u"Consulta clínica: 120,00 > 130,00 = 117,00; Castração de gato: 350,00 > 350,00 = 315,00; "
              "Ração Cães 15 kg: 219,90 > 199,90 = 399,80; Banho pequeno porte: 45,00 > 45,00 = 81,00"_s,
              u"969,80|5,88|57,00|912,80"_s,
              u"1300000|100000|130000|1170000 3500000|100000|350000|3150000 1999000|0|0|3998000 "
              "450000|100000|90000|810000"_s);
    }
    void reprecificado_como_digitado_hoje() {
        QFETCH(bool, promocao);
        QFETCH(QString, mudancas);
        QFETCH(QString, totais);
        QFETCH(QString, itens);
        const double numero = OrcamentoDaMaria();
        QVERIFY(numero > 0);
        Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = 1300000 WHERE Codigo = 1"_s);
        Banco::Executar(u"UPDATE Produtos SET ValorDeVenda = 1999000 WHERE CodigoInterno = 100"_s);
        if (promocao)
            Banco::Executar(u"UPDATE Empresa SET DataInicialDaPromocao = '2026-12-06', DataFinalDaPromocao = "
                            "'2026-12-07', PercPromocaoDeDescontoNaVendaDeServico = 100000, "
                            "PercPromocaoDeDescontoNaVendaDeProduto = 50000"_s);
        auto renovacao = Renovacao();
        QCOMPARE(renovacao->SelecionarItensAPrecosDeHoje(numero), QVariant(false));
        RecordsetPtr selecao = renovacao->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(selecao->RecordCount(), 4);
        QStringList mudou;
        for (selecao->MoveFirst(); !selecao->Eof(); selecao->MoveNext()) {
            const auto campo = [&](const char* nome) {
                return selecao->Fields(QString::fromLatin1(nome)).Value;
            };
            QCOMPARE(campo("NoCadastro").toBool(), true);
            if (Texto(campo("ValorTotal")) != Texto(campo("NovoValorTotal")))
                mudou << u"%1: %2 > %3 = %4"_s.arg(
                    campo("NomeDoServicoOuNomeDoProduto").toString(), Texto(campo("ValorUnitario")),
                    Texto(campo("NovoValorUnitario")), Texto(campo("NovoValorTotal")));
        }
        QCOMPARE(mudou.join(u"; "_s), mudancas);
        QCOMPARE(Juntos(Texto(QVariant::fromValue(renovacao->ValorTotalDeHoje)),
                        Texto(QVariant::fromValue(renovacao->DescontoEmPercentualDeHoje)),
                        Texto(QVariant::fromValue(renovacao->DescontoEmValorDeHoje)),
                        Texto(QVariant::fromValue(renovacao->ValorLiquidoDeHoje))),
                 totais);
        QCOMPARE(renovacao->DataDeValidadePadrao, u"17/12/2026"_s);
        QCOMPARE(renovacao->CodigoDoCliente, 2.0);

        QCOMPARE(renovacao->RenovarValidade(numero, u"20/12/2026"_s, true), Resultado::Sucesso);
        QCOMPARE(ItensGravados(numero), itens);
        QStringList esperado;
        for (const QString& valor : totais.split(u'|'))
            esperado << QString::number(VB::CCur(valor).DecimosDeMilesimos());
        esperado << u"2026-12-20"_s;
        QCOMPARE(Cabecalho(numero), esperado.join(u'|'));
        QVERIFY(CabecalhoEhASomaDosItens(numero));
        QCOMPARE(UltimaEntrada(numero), ZELT_N_Orcamentos::OperacaoDoHistorico::Renovado);
        // The entry keeps the quote as renewed.
        QCOMPARE(Numero("SELECT ValorLiquido FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ? ORDER BY "
                        "NumeroDoRegistro DESC LIMIT 1",
                        {numero}),
                 VB::CCur(totais.section(u'|', 3)).DecimosDeMilesimos());
        QCOMPARE(renovacao->DataEHoraDaAlteracaoLida, u"07/12/2026 09:00:01"_s);
    }

    void manter_precos_renova_so_a_data() {
        const double numero = OrcamentoDaMaria();
        Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = 1300000 WHERE Codigo = 1"_s);
        const QString antes = ItensGravados(numero);
        auto renovacao = Renovacao();
        renovacao->SelecionarItensAPrecosDeHoje(numero);
        QCOMPARE(renovacao->RenovarValidade(numero, u"07/12/2026"_s, false), Resultado::Sucesso);
        QCOMPARE(ItensGravados(numero), antes);
        QCOMPARE(Cabecalho(numero), u"9998000|34000|340000|9658000|2026-12-07"_s);
        QCOMPARE(UltimaEntrada(numero), ZELT_N_Orcamentos::OperacaoDoHistorico::Renovado);
    }

    // An item no longer active in the registry keeps its price, and says so.
    void item_fora_do_cadastro_mantem_o_preco() {
        const double numero = OrcamentoDaMaria();
        Banco::Executar(u"UPDATE Servicos SET Situacao = 2, ValorDeVenda = 4000000 WHERE Codigo = 3"_s);
        auto renovacao = Renovacao();
        renovacao->SelecionarItensAPrecosDeHoje(numero);
        RecordsetPtr selecao = renovacao->ResultadoDaSelecaoEmRecordSet();
        selecao->MoverPara(1);
        QCOMPARE(Valores(*selecao, u"NoCadastro|NovoValorUnitario|NovoValorTotal"_s), u"Falso|350|322"_s);
        QCOMPARE(renovacao->RenovarValidade(numero, u"17/12/2026"_s, true), Resultado::Sucesso);
        QCOMPARE(ItensGravados(numero).split(u' ').at(1), u"3500000|80000|280000|3220000"_s);
    }

    // Each row: what is wrong, the result, the message; nothing changes.
    void recusada_nada_muda_data() {
        Colunas<QString, int, QString>("caso", "resultado", "mensagem");
        Linha("data passada", u"data passada"_s, 2,
              u"A nova data de validade (06/12/2026) não pode ser anterior a hoje (07/12/2026)."_s);
        Linha("não é data", u"não é data"_s, 2,
              u"A data de validade do orçamento ('31/02/2026') não é uma data válida: "
              "informe-a como DD/MM/AAAA."_s);
        Linha("obsoleta", u"obsoleta"_s, 3,
              u"O orçamento %1 foi alterado por ANA em 07/12/2026 09:00:01, depois que "
              "este formulário o leu. A validade do orçamento não foi renovada: feche o "
              "formulário e abra o orçamento novamente."_s);
        Linha("aprovado", u"aprovado"_s, 3, u"O orçamento %1 está aprovado: não pode ser renovado."_s);
        Linha("inativo", u"inativo"_s, 2, u"O orçamento %1 está inativo e não pode mais ser renovado."_s);
    }
    void recusada_nada_muda() {
        QFETCH(QString, caso);
        QFETCH(int, resultado);
        QFETCH(QString, mensagem);
        const double numero = OrcamentoDaMaria();
        Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = 1300000 WHERE Codigo = 1"_s);
        auto renovacao = Renovacao();
        renovacao->SelecionarItensAPrecosDeHoje(numero);
        if (caso == u"obsoleta" || caso == u"aprovado") {
            auto etapas = Etapas();
            etapas->Ler(numero);
            QCOMPARE(caso == u"obsoleta"
                         ? etapas->EntregueAoCliente(numero)
                         : etapas->RegistrarAprovacao(numero, u"Maria"_s, u"Presencial"_s, false),
                     Resultado::Sucesso);
            if (caso == u"aprovado") renovacao->SelecionarItensAPrecosDeHoje(numero);
        }
        if (caso == u"inativo") Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2"_s);
        const QString itens = ItensGravados(numero), cabecalho = Cabecalho(numero),
                      ultima = UltimaEntrada(numero);
        const QString data = caso == u"data passada" ? u"06/12/2026"_s
                             : caso == u"não é data" ? u"31/02/2026"_s
                                                     : u"20/12/2026"_s;
        QCOMPARE(renovacao->RenovarValidade(numero, data, true), qint16(resultado));
        QCOMPARE(renovacao->DescricaoDaFalha,
                 mensagem.contains(u"%1") ? mensagem.arg(qint64(numero)) : mensagem);
        QCOMPARE(ItensGravados(numero), itens);
        QCOMPARE(Cabecalho(numero), cabecalho);
        QCOMPARE(UltimaEntrada(numero), ultima);
    }

    // An expired quote renewed is valid again; a sent one stays sent.
    void etapa_depois_da_renovacao_data() {
        Colunas<bool, QString>("enviado", "depois");
        Linha("vencido", false, u"Em aberto"_s);
        Linha("enviado e vencido", true, u"Enviado"_s);
    }
    void etapa_depois_da_renovacao() {
        QFETCH(bool, enviado);
        QFETCH(QString, depois);
        const double numero = OrcamentoDaMaria();
        if (enviado) {
            QCOMPARE(Envio()->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalEmail, u"maria@exemplo.com"_s),
                     Resultado::Sucesso);
        }
        FixarRelogio(Agora.addDays(11));
        auto etapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
        QCOMPARE(etapas->Ler(numero), Resultado::Sucesso);
        QCOMPARE(etapas->EtapaDoOrcamento, ZELT_N_Orcamentos::Etapa::Vencido);
        auto renovacao = Renovacao();
        renovacao->SelecionarItensAPrecosDeHoje(numero);
        QCOMPARE(renovacao->DataDeValidadePadrao, u"28/12/2026"_s);
        QCOMPARE(renovacao->RenovarValidade(numero, renovacao->DataDeValidadePadrao, true),
                 Resultado::Sucesso);
        QCOMPARE(etapas->Ler(numero), Resultado::Sucesso);
        QCOMPARE(etapas->EtapaDoOrcamento, depois);
    }
};

QTEST_GUILESS_MAIN(TesteDaRenovacao)
#include "tst_negocio_renovacao.moc"
