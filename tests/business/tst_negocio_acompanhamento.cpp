// The follow-up of open quotes (ZELT_N_Orcamentos.clsAcompanhamento): its four sections
// and the figures of a period, against a small set of quotes made here through the real
// operations, with the business clock set at each step, counted by hand. The validity
// dates sit on the sections' boundaries: valid exactly 7 days more, sent exactly 3 days
// ago, expired exactly 30 days ago.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/ContagemDeOrcamentos.h"
#include "business/Migracoes.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QSqlRecord>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsAcompanhamento;
namespace S = ZELT_N_Orcamentos::SecaoDoAcompanhamento;

namespace {

// Monday, 9 o'clock.
const QDate Hoje(2026, 12, 7);

QDate Dia(int mes, int dia) {
    return QDate(2026, mes, dia);
}

} // namespace

class TesteDoAcompanhamento : public TesteDeNegocio {
    Q_OBJECT

    // The quotes by letter (see FazerOrcamentos).
    QHash<QChar, double> mnumeros;

    // A quote made on that day at 8 o'clock by ANA, valid until validade: one
    // consultation, 108,00 net, or with the product too, 547,80.
    double Feito(QChar letra, QDate dia, QDate validade, bool comProduto = false) {
        FixarRelogio(QDateTime(dia, QTime(8, 0)));
        const double numero = comProduto ? NovoOrcamentoComProduto() : NovoOrcamento();
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento = ?"_s,
                        {Banco::DataIso(validade), numero});
        mnumeros.insert(letra, numero);
        return numero;
    }

    // An operation on that quote at that day and hour; false when it failed.
    bool Em(QDate dia, int hora, QChar letra, const QString& operacao) {
        FixarRelogio(QDateTime(dia, QTime(hora, 0)));
        const double numero = mnumeros.value(letra);
        if (operacao == u"enviar") {
            return Envio()->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalWhatsApp, u"5519999990000"_s) == 0;
        }
        // The changes of the quote itself, and writes that go around the business layer.
        const QString lida = Banco::Valor(u"SELECT DataEHoraDaAlteracao FROM Orcamentos WHERE "
                                          u"NumeroDoOrcamento = ?"_s,
                                          {numero})
                                 .toString();
        const QString carimbo = lida.isEmpty() ? QString() : VB::CStr(Banco::DataEHoraDeIso(lida));
        if (operacao == u"alterar") return AlterarComMaisUmItem(numero, carimbo, true) == 0;
        if (operacao == u"remover o produto") {
            auto itens = Objeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
            itens->DataEHoraDaAlteracaoLida = carimbo;
            itens->DesfazerAprovacao = true;
            itens->ValorTotalDoOrcamento = VB::CCur(u"120"_s);
            itens->ValorLiquidoDoOrcamento = VB::CCur(u"108"_s);
            double orcamento = numero, item = 2;
            return !VB::CBool(itens->Excluir(orcamento, item));
        }
        if (operacao == u"renovar") {
            Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = ValorDeVenda + 100000"_s);
            auto renovacao = Objeto<ZELT_N_Orcamentos::clsRenovacaoDeValidade>(ProgId::RenovacaoDeValidade);
            renovacao->SelecionarItensAPrecosDeHoje(numero);
            return renovacao->RenovarValidade(numero, dia.addDays(10).toString(u"dd/MM/yyyy"_s), true) == 0;
        }
        if (operacao == u"excluir" || operacao == u"restaurar") {
            BancoDeTeste::GradeEmMemoria grade;
            auto orcamento = BancoDeTeste::OrcamentoValido(grade, musuario.get());
            orcamento->NumeroDoOrcamento = numero;
            orcamento->DataEHoraDaAlteracaoLida = carimbo;
            auto historico = Objeto<ZELT_N_Orcamentos::clsHistorico>(ProgId::Historico);
            return (operacao == u"excluir" ? orcamento->Excluir() : historico->Restaurar(numero)) == 0;
        }
        if (operacao.startsWith(u"SQL: ")) {
            Banco::Executar(operacao.mid(5), {numero});
            return true;
        }
        auto etapas = Etapas();
        etapas->Ler(numero);
        qint16 r = -1;
        if (operacao == u"entregar") r = etapas->EntregueAoCliente(numero);
        if (operacao == u"aprovar") r = etapas->RegistrarAprovacao(numero, u"João"_s, u"Presencial"_s, false);
        // The product (item 2) declined: 108,00 approved of 547,80.
        if (operacao == u"aprovar em parte") r = AprovarSemItens(numero, {2}, &etapas->DescricaoDaFalha);
        if (operacao.startsWith(u"recusar: "))
            r = etapas->RegistrarRecusa(numero, operacao.mid(9), QString());
        if (operacao == u"concluir") r = etapas->Concluir(numero);
        if (operacao == u"desfazer") {
            auto aprovacao = Aprovacao();
            aprovacao->Ler(numero);
            r = aprovacao->DesfazerAprovacao(numero);
        }
        if (r != 0) qWarning() << operacao << letra << etapas->DescricaoDaFalha << etapas->DescricaoDoErro;
        return r == 0;
    }

    // Thirteen quotes around today (Monday 7 December 2026), by letter:
    //   A 01/12, valid 14/12 (today + 7), never sent
    //   B 01/12, valid 15/12 (today + 8), with the product, made by BIA
    //   C 20/11, valid 07/12 (today), sent 04/12 (3 days ago)
    //   D 25/11, valid 10/12, sent 05/12 at 8 o'clock (2 days ago)
    //   E 01/11, valid 07/11 (expired 30 days ago... the day after: 08/11), never sent
    //   F 01/11, valid 06/11 (one day before that)
    //   G 20/11, valid 06/12 (yesterday), sent 21/11
    //   H 20/11, valid 12/12, with the product, sent 22/11, approved 25/11
    //   I 20/11, valid 12/12, with the product, approved in part 23/11 unsent (the
    //     product declined: 108,00 approved)
    //   J 20/11, valid 12/12, sent 21/11, refused for the price 30/11
    //   K 10/11, valid 25/11, with the product, approved 12/11, concluded 15/11
    //   L 01/12, valid 20/12, sent 02/12, handed over 06/12
    //   M 27/11, valid 20/12, sent 28/11 and again 06/12
    //   N 15/11, valid 30/11, refused 05/12 ("Desistiu"), never sent
    bool FazerOrcamentos() {
        mnumeros.clear();
        Feito(u'A', Dia(12, 1), Dia(12, 14));
        Feito(u'B', Dia(12, 1), Dia(12, 15), true);
        Banco::Executar(u"UPDATE Orcamentos SET UsuarioDaInclusao = 'BIA' WHERE NumeroDoOrcamento = ?"_s,
                        {mnumeros.value(u'B')});
        Feito(u'C', Dia(11, 20), Dia(12, 7));
        Feito(u'D', Dia(11, 25), Dia(12, 10));
        Feito(u'E', Dia(11, 1), Dia(11, 7));
        Feito(u'F', Dia(11, 1), Dia(11, 6));
        Feito(u'G', Dia(11, 20), Dia(12, 6));
        Feito(u'H', Dia(11, 20), Dia(12, 12), true);
        Feito(u'I', Dia(11, 20), Dia(12, 12), true);
        Feito(u'J', Dia(11, 20), Dia(12, 12));
        Feito(u'K', Dia(11, 10), Dia(11, 25), true);
        Feito(u'L', Dia(12, 1), Dia(12, 20));
        Feito(u'M', Dia(11, 27), Dia(12, 20));
        Feito(u'N', Dia(11, 15), Dia(11, 30));
        const bool feito =
            Em(Dia(11, 12), 10, u'K', u"aprovar"_s) && Em(Dia(11, 15), 10, u'K', u"concluir"_s) &&
            Em(Dia(11, 21), 10, u'G', u"enviar"_s) && Em(Dia(11, 21), 10, u'J', u"enviar"_s) &&
            Em(Dia(11, 22), 10, u'H', u"enviar"_s) && Em(Dia(11, 23), 10, u'I', u"aprovar em parte"_s) &&
            Em(Dia(11, 25), 10, u'H', u"aprovar"_s) && Em(Dia(11, 28), 10, u'M', u"enviar"_s) &&
            Em(Dia(11, 30), 10, u'J', u"recusar: Preço"_s) && Em(Dia(12, 2), 10, u'L', u"enviar"_s) &&
            Em(Dia(12, 4), 10, u'C', u"enviar"_s) && Em(Dia(12, 5), 8, u'D', u"enviar"_s) &&
            Em(Dia(12, 5), 10, u'N', u"recusar: Desistiu"_s) && Em(Dia(12, 6), 10, u'L', u"entregar"_s) &&
            Em(Dia(12, 6), 11, u'M', u"enviar"_s);
        FixarRelogio(QDateTime(Hoje, QTime(9, 0)));
        return feito;
    }

    QChar Letra(double numero) const { return mnumeros.key(numero, u'?'); }

    std::unique_ptr<clsAcompanhamento> Acompanhamento() {
        return Zelt::CriarObjeto<clsAcompanhamento>(ProgId::Acompanhamento);
    }

    // The figures as text: made|offered|sent|approved|approved value|refused|by reason|
    // expired|median, values in ten-thousandths.
    static QString Texto(qint64 feitos, qint64 oferecido, qint64 enviados, qint64 aprovados, qint64 aprovado,
                         qint64 recusados, const QStringList& porMotivo, qint64 vencidos,
                         const std::optional<double>& mediana) {
        return Juntos(feitos, oferecido, enviados, aprovados, aprovado, recusados, porMotivo.join(u','),
                      vencidos, mediana ? QString::number(*mediana) : u"-"_s);
    }

    // The figures of [de, ate] read straight from the quotes, as the window read them before
    // its counters (the reference the counters must equal).
    static QString Direto(QDate de, QDate ate, const QString& usuario) {
        const QString onde =
            u" WHERE o.DataDoOrcamento BETWEEN ? AND ? AND (? = '' OR o.UsuarioDaInclusao = ?)"_s;
        const QVariantList periodo{Banco::DataIso(de), Banco::DataIso(ate), usuario, usuario};
        QString motivos;
        for (const QString& motivo : ZELT_N_Orcamentos::MotivosDaRecusa)
            motivos +=
                u", SUM(CASE WHEN e.Etapa = 'Recusado' AND e.MotivoDaRecusa = '%1' THEN 1 ELSE 0 END)"_s.arg(
                    motivo);
        QSqlQuery q = Banco::Executar(
            u"SELECT COUNT(*), SUM(o.ValorLiquido), SUM(CASE WHEN e.Etapa IS NULL THEN 0 ELSE 1 END), "
            "SUM(CASE WHEN e.Etapa IN ('Aprovado', 'Aprovado em parte', 'Concluído') THEN 1 ELSE 0 END), "
            "SUM(CASE WHEN e.Etapa IN ('Aprovado', 'Aprovado em parte', 'Concluído') THEN "
            "COALESCE(ap.ValorAprovado, o.ValorLiquido) ELSE 0 END), SUM(CASE WHEN e.Etapa = 'Recusado' THEN "
            "1 ELSE 0 END), SUM(CASE WHEN (e.Etapa IS NULL OR e.Etapa = 'Enviado') AND "
            "o.DataDeValidadeDoOrcamento < ? THEN 1 ELSE 0 END)"_s +
                motivos +
                u" FROM Orcamentos o LEFT JOIN EtapasDoOrcamento e ON e.NumeroDoOrcamento = "
                "o.NumeroDoOrcamento LEFT JOIN AprovacoesDoOrcamento ap ON ap.NumeroDoOrcamento = "
                "o.NumeroDoOrcamento AND ap.DataEHoraDesfeita IS NULL"_s +
                onde,
            QVariantList{Banco::DataIso(Hoje)} + periodo);
        q.next();
        QStringList porMotivo;
        for (int m = 7; m < q.record().count(); ++m)
            porMotivo << QString::number(q.value(m).toLongLong());
        QSqlQuery r = Banco::Executar(
            u"SELECT substr(e.DataEHoraDaEtapa, 1, 10), substr(COALESCE((SELECT MIN(s.DataEHoraDoEnvio) FROM "
            "EnviosDeOrcamentos s WHERE s.NumeroDoOrcamento = o.NumeroDoOrcamento AND s.DataEHoraDoEnvio <= "
            "e.DataEHoraDaEtapa), o.DataDoOrcamento), 1, 10) FROM Orcamentos o JOIN EtapasDoOrcamento e ON "
            "e.NumeroDoOrcamento = o.NumeroDoOrcamento AND e.Etapa IN ('Aprovado', 'Aprovado em parte', "
            "'Recusado')"_s +
                onde,
            periodo);
        QList<qint64> dias;
        while (r.next())
            dias << Banco::DataDeIso(r.value(1).toString()).daysTo(Banco::DataDeIso(r.value(0).toString()));
        std::sort(dias.begin(), dias.end());
        std::optional<double> mediana;
        if (!dias.isEmpty()) mediana = (dias[(dias.size() - 1) / 2] + dias[dias.size() / 2]) / 2.0;
        const auto v = [&](int c) { return q.value(c).toLongLong(); };
        return Texto(v(0), v(1), v(2), v(3), v(4), v(5), porMotivo, v(6), mediana);
    }

    // The window's figures (from the counters) for three periods and each user equal the
    // direct reading, the chart's weeks too, and the counters equal a recount.
    void ConferirComADireta() {
        auto a = Acompanhamento();
        for (const QString& usuario : {QString(), u"ANA"_s, u"BIA"_s})
            for (const auto& [dias, mes] :
                 {std::pair{30, QDate()}, std::pair{90, QDate()}, std::pair{0, Dia(11, 1)}}) {
                QCOMPARE(a->CalcularNumeros(dias, mes, usuario), Resultado::Sucesso);
                const auto& n = a->Numeros;
                QStringList porMotivo;
                for (qint32 m : n.RecusadosPorMotivo)
                    porMotivo << QString::number(m);
                QCOMPARE(Texto(n.Feitos, Banco::Moeda(n.ValorOferecido), n.Enviados, n.Aprovados,
                               Banco::Moeda(n.ValorAprovado), n.Recusados, porMotivo, n.Vencidos,
                               n.MedianaDeDiasAteAResposta),
                         Direto(n.Inicio, n.Fim, usuario));
                for (const auto& semana : n.Semanas) {
                    const QStringList direto = Direto(semana.Inicio, semana.Fim, usuario).split(u'|');
                    QCOMPARE(QString::number(Banco::Moeda(semana.Oferecido)), direto[1]);
                    QCOMPARE(QString::number(Banco::Moeda(semana.Aprovado)), direto[4]);
                }
            }
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList());
    }

private slots:
    void as_secoes_data() {
        Colunas<qint32, qint32>("secao", "total");
        // Each row: letter|client|animal|net value|validity|stage|last send|days without an answer.
        QTest::addColumn<QStringList>("linhas");
        Linha("vencem em até 7 dias", S::VencemEmAte7Dias, 3,
              QStringList{u"C|João da Silva|Rex|108|07/12/2026|Enviado|04/12/2026 10:00:00|3"_s,
                          u"D|João da Silva|Rex|108|10/12/2026|Enviado|05/12/2026 08:00:00|2"_s,
                          u"A|João da Silva|Rex|108|14/12/2026|Em aberto|Null|6"_s});
        Linha("enviados sem resposta há 3 dias ou mais", S::EnviadosSemResposta, 1,
              QStringList{u"C|João da Silva|Rex|108|07/12/2026|Enviado|04/12/2026 10:00:00|3"_s});
        Linha("vencidos nos últimos 30 dias", S::VencidosNosUltimos30Dias, 2,
              QStringList{u"G|João da Silva|Rex|108|06/12/2026|Vencido|21/11/2026 10:00:00|16"_s,
                          u"E|João da Silva|Rex|108|07/11/2026|Vencido|Null|36"_s});
        Linha("aprovados ainda não concluídos", S::AprovadosNaoConcluidos, 2,
              QStringList{u"I|João da Silva|Rex|547,8|12/12/2026|Aprovado em parte|Null|Null"_s,
                          u"H|João da Silva|Rex|547,8|12/12/2026|Aprovado|22/11/2026 10:00:00|Null"_s});
    }
    void as_secoes() {
        QFETCH(qint32, secao);
        QFETCH(qint32, total);
        QFETCH(QStringList, linhas);
        QVERIFY(FazerOrcamentos());
        auto acompanhamento = Acompanhamento();
        QVERIFY2(!VB::CBool(acompanhamento->SelecionarSecao(secao)),
                 qPrintable(acompanhamento->DescricaoDoErro));
        QCOMPARE(acompanhamento->TotalDaSecao, total);
        const RecordsetPtr rs = acompanhamento->ResultadoDaSelecaoEmRecordSet();
        QStringList lidas;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            lidas << QString(Letra(rs->Fields(u"NumeroDoOrcamento"_s).Value.toDouble())) + u'|' +
                         Valores(*rs, u"Cliente|Animal|ValorLiquido|DataDeValidadeDoOrcamento|Etapa|"
                                      u"UltimoEnvio|DiasSemResposta"_s);
        QCOMPARE(lidas, linhas);
    }

    void uma_secao_desconhecida_e_um_periodo_invalido() {
        auto acompanhamento = Acompanhamento();
        QVERIFY(VB::CBool(acompanhamento->SelecionarSecao(5)));
        QCOMPARE(acompanhamento->NumeroDoErro, long(VB::ChamadaOuArgumentoInvalido));
        QCOMPARE(acompanhamento->LocalDoErro, u"ZELT_N_Orcamentos, clsAcompanhamento, SelecionarSecao"_s);
        for (const auto& [dias, mes] : {std::pair{-1, QDate()}, std::pair{0, QDate()}}) {
            QCOMPARE(acompanhamento->CalcularNumeros(dias, mes, QString()), Resultado::Rejeitado);
            QCOMPARE(acompanhamento->DescricaoDaFalha, u"O período informado não é válido."_s);
        }
    }

    void os_numeros_data() {
        Colunas<qint32, QDate, QString>("dias", "mes", "usuario");
        // made|offered|sent|approved|approved value|refused|by reason|expired|rate by count|
        // rate by value|median days
        QTest::addColumn<QString>("numeros");
        // Everything but E and F (made 01/11). Answers: H 3 days from its send, I 3 from
        // its date (unsent), J 9 from its send, N 20 from its date: median (3 + 9) / 2.
        Linha("30 dias, todos", 30, QDate(), QString(),
              u"12|3055,2|10|3|1203,6|2|1,0,1,0,0,0|1|25.00|39.40|6.0"_s);
        Linha("30 dias, BIA", 30, QDate(), u"BIA"_s, u"1|547,8|0|0|0|0|0,0,0,0,0,0|0|0.00|0.00|-"_s);
        Linha("novembro", 0, Dia(11, 17), QString(),
              u"11|2507,4|9|3|1203,6|2|1,0,1,0,0,0|3|27.27|48.00|6.0"_s);
        Linha("junho, sem orçamentos", 0, QDate(2026, 6, 30), QString(),
              u"0|0|0|0|0|0|0,0,0,0,0,0|0|-|-|-"_s);
    }
    void os_numeros() {
        QFETCH(qint32, dias);
        QFETCH(QDate, mes);
        QFETCH(QString, usuario);
        QFETCH(QString, numeros);
        QVERIFY(FazerOrcamentos());
        auto acompanhamento = Acompanhamento();
        QCOMPARE(acompanhamento->CalcularNumeros(dias, mes, usuario), Resultado::Sucesso);
        const ZELT_N_Orcamentos::NumerosDoAcompanhamento& n = acompanhamento->Numeros;
        // 30 days: 08/11 to today; a month: its first to its last day.
        QCOMPARE(n.Hoje, Hoje);
        QCOMPARE(n.Inicio, dias == 30 ? Dia(11, 8) : QDate(mes.year(), mes.month(), 1));
        QCOMPARE(n.Fim, dias == 30 ? Hoje : QDate(mes.year(), mes.month(), mes.daysInMonth()));
        const auto opcional = [](const std::optional<double>& v, int casas) {
            return v ? QString::number(*v, 'f', casas) : u"-"_s;
        };
        QStringList porMotivo;
        for (qint32 q : n.RecusadosPorMotivo)
            porMotivo << QString::number(q);
        QCOMPARE(Juntos(n.Feitos, VB::CStr(QVariant::fromValue(n.ValorOferecido)), n.Enviados, n.Aprovados,
                        VB::CStr(QVariant::fromValue(n.ValorAprovado)), n.Recusados, porMotivo.join(u','),
                        n.Vencidos, opcional(n.TaxaPorQuantidade, 2), opcional(n.TaxaPorValor, 2),
                        opcional(n.MedianaDeDiasAteAResposta, 1)),
                 numeros);
        QCOMPARE(n.Usuarios, (QStringList{u"ANA"_s, u"BIA"_s}));

        // The twelve weeks up to today, whatever the period: offered|approved, oldest first.
        // 27/10-02/11: E, F; 10/11-16/11: K (approved), N; 17/11-23/11: C, G, H and I
        // (approved), J; 24/11-30/11: D, M; 01/12-07/12: A, B, L. BIA's week: B alone.
        QStringList semanas;
        for (const auto& semana : n.Semanas)
            semanas << semana.Inicio.toString(u"dd/MM"_s) + u'-' + semana.Fim.toString(u"dd/MM"_s) + u'=' +
                           VB::CStr(QVariant::fromValue(semana.Oferecido)) + u'/' +
                           VB::CStr(QVariant::fromValue(semana.Aprovado));
        const bool bia = usuario == u"BIA";
        QCOMPARE(semanas.join(u' '),
                 u"15/09-21/09=0/0 22/09-28/09=0/0 29/09-05/10=0/0 06/10-12/10=0/0 13/10-19/10=0/0 "
                 u"20/10-26/10=0/0 27/10-02/11=%1/0 03/11-09/11=0/0 10/11-16/11=%2 17/11-23/11=%3 "
                 u"24/11-30/11=%4/0 01/12-07/12=%5/0"_s.arg(
                     bia ? u"0"_s : u"216"_s, bia ? u"0/0"_s : u"655,8/547,8"_s,
                     bia ? u"0/0"_s : u"1419,6/655,8"_s, bia ? u"0"_s : u"216"_s,
                     bia ? u"547,8"_s : u"763,8"_s));
    }

    // Every operation that moves the figures, on the quotes of FazerOrcamentos, today, one
    // step an hour; after each step the figures equal the direct reading.
    void os_contadores_seguem_cada_operacao_data() {
        QTest::addColumn<QStringList>("passos");
        Linha(
            "aprovação desfeita, por alteração e a pedido",
            QStringList{u"H alterar"_s, u"I desfazer"_s, u"H aprovar em parte"_s, u"I remover o produto"_s});
        Linha("renovação, entrega, recusa",
              QStringList{u"E renovar"_s, u"A entregar"_s, u"A renovar"_s, u"D recusar: Outro"_s,
                          u"H recusar: Animal faleceu"_s, u"L aprovar"_s, u"L concluir"_s});
        Linha("exclusão e restauração",
              QStringList{u"J excluir"_s, u"J restaurar"_s, u"K excluir"_s, u"H remover o produto"_s,
                          u"M aprovar"_s, u"M excluir"_s, u"M restaurar"_s});
        Linha(
            "escritas por fora da camada de negócio",
            QStringList{
                u"SQL: UPDATE Orcamentos SET DataDeValidadeDoOrcamento = '2026-12-01' WHERE NumeroDoOrcamento = ?"_s,
                u"SQL: UPDATE Orcamentos SET UsuarioDaInclusao = 'BIA', ValorLiquido = 10 WHERE NumeroDoOrcamento = ?"_s,
                u"SQL: UPDATE AprovacoesDoOrcamento SET DataEHoraDesfeita = '2026-12-07 09:00:00' WHERE NumeroDoOrcamento = ?"_s,
                u"SQL: DELETE FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?"_s,
                u"SQL: DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s});
    }
    void os_contadores_seguem_cada_operacao() {
        QFETCH(QStringList, passos);
        QVERIFY(FazerOrcamentos());
        ConferirComADireta();
        int hora = 9;
        for (const QString& passo : passos) {
            // The writes around the layer act on quote I (approved in part), one after another.
            const QChar letra = passo.startsWith(u"SQL") ? u'I' : passo.at(0);
            QVERIFY2(Em(Hoje, ++hora, letra, passo.startsWith(u"SQL") ? passo : passo.mid(2)),
                     qPrintable(passo));
            ConferirComADireta();
        }
    }

    // A database of the version before the counters: its migration fills them.
    void a_migracao_preenche_os_contadores() {
        Banco::ExecutarTodos(ContagemDeOrcamentos::RemoverGatilhosDoAcompanhamento() +
                             QStringList{u"DROP TABLE ContagemDoAcompanhamento"_s,
                                         u"DROP TABLE RespostasDoAcompanhamento"_s,
                                         u"UPDATE VersaoDoEsquema SET Versao = 13"_s});
        QVERIFY(FazerOrcamentos());
        QCOMPARE(Migracoes::Migrar(), 13);
        ConferirComADireta();
    }
};

QTEST_GUILESS_MAIN(TesteDoAcompanhamento)
#include "tst_negocio_acompanhamento.moc"
