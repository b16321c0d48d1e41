// The stages of a quote: the machine of ZELT_N_Orcamentos.clsEtapasDoOrcamento, the
// stage a send sets, "Vencido" read from the validity date, the schema version that
// marks the quotes already sent, the list's filters by stage, and two workstations
// answering the same quote at once.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/EtapasDoOrcamento.h"
#include "business/FaixasDeValidade.h"
#include "business/Migracoes.h"
#include "contracts/HistoricoDeOrcamentos.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsEtapasDoOrcamento;
namespace Etapa = ZELT_N_Orcamentos::Etapa;
namespace F = ZELT_N_Orcamentos::FiltroDaLista;

namespace {

// Monday; a new quote is valid for ten days (the test registry's company).
const QDateTime Agora(QDate(2026, 12, 7), QTime(9, 0));

qint64 Entradas(double numero) {
    return Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?", {numero});
}
} // namespace

class TesteDasEtapas : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    // The stage shown now; its stamp read into the object for the next operation.
    QString EtapaDe(clsEtapasDoOrcamento& etapas, double numero) {
        return etapas.Ler(numero) == 0 ? etapas.EtapaDoOrcamento
                                       : u"(falha: %1)"_s.arg(etapas.DescricaoDaFalha);
    }

    // An operation by name, on the stamp just read.
    qint16 Executar(clsEtapasDoOrcamento& etapas, double numero, const QString& operacao) {
        etapas.Ler(numero);
        if (operacao == u"entregar") return etapas.EntregueAoCliente(numero);
        if (operacao == u"aprovar")
            return etapas.RegistrarAprovacao(numero, u"Maria"_s, u"Presencial"_s, false);
        // The second item declined (the quotes here have two).
        if (operacao == u"aprovar em parte") return AprovarSemItens(numero, {2}, &etapas.DescricaoDaFalha);
        if (operacao == u"desfazer") {
            auto aprovacao = Aprovacao();
            aprovacao->Ler(numero);
            const qint16 resultado = aprovacao->DesfazerAprovacao(numero);
            etapas.DescricaoDaFalha = aprovacao->DescricaoDaFalha;
            return resultado;
        }
        if (operacao == u"recusar") return etapas.RegistrarRecusa(numero, u"Preço"_s, u"achou caro"_s);
        if (operacao == u"concluir") return etapas.Concluir(numero);
        if (operacao == u"enviar") {
            return Envio()->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalWhatsApp, u"5511999990000"_s);
        }
        return -1;
    }

    // A new quote of that client and animal brought to a stage through the operations
    // themselves; 0 when a step failed.
    double OrcamentoNaEtapa(const QString& etapa, double cliente = 1, qint32 animal = 10) {
        const double numero = NovoOrcamentoDeDoisServicos(cliente, animal);
        auto etapas = Etapas();
        const QStringList caminho = etapa == Etapa::Enviado           ? QStringList{u"enviar"_s}
                                    : etapa == Etapa::Aprovado        ? QStringList{u"aprovar"_s}
                                    : etapa == Etapa::AprovadoEmParte ? QStringList{u"aprovar em parte"_s}
                                    : etapa == Etapa::Recusado        ? QStringList{u"recusar"_s}
                                    : etapa == Etapa::Concluido ? QStringList{u"aprovar"_s, u"concluir"_s}
                                                                : QStringList{};
        for (const QString& passo : caminho)
            if (Executar(*etapas, numero, passo) != 0) return 0;
        // "Vencido": an open quote, its ten days gone by.
        if (etapa == Etapa::Vencido) FixarRelogio(Agora.addDays(11));
        return numero;
    }

    // The numbers a filter lists, page by page of two; {-1} when its count differs from
    // the rows read (a page counted but missing fails as a run-time error).
    QList<qint64> Listados(qint32 codigo, const QString& texto = {}) try {
        const RecordsetPtr lista = Lista(codigo, texto, 2);
        QList<qint64> lidos;
        for (qint32 pagina = 1; pagina <= lista->PageCount(); ++pagina) {
            lista->SetAbsolutePage(pagina);
            for (int i = 0; i < 2 && !lista->Eof(); ++i, lista->MoveNext())
                lidos << qint64(lista->Fields(u"NumeroDoOrcamento"_s).Value.toDouble());
        }
        return lidos.size() == lista->RecordCount() ? lidos : QList<qint64>{-1};
    } catch (const VB::ErroDeExecucao&) {
        return {-1};
    }

    // The next quote made gets this number.
    void ProximoNumero(qint64 numero) {
        Banco::Executar(BancoEhSQLite() ? u"UPDATE sqlite_sequence SET seq = ? WHERE name = 'Orcamentos'"_s
                                        : u"SELECT setval(pg_get_serial_sequence('orcamentos', "
                                          "'numerodoorcamento'), ?)"_s,
                        {numero - 1});
    }

private slots:
    void a_maquina_de_etapas_data() {
        // depois: empty: refused with the message
        Colunas<QString, QString, QString, QString>("etapa", "operacao", "depois", "entradaOuMensagem");
        // Each operation from each stage: what the clinic allows, and what it refuses.
        // Each row: stage;operation;stage after;entry or message.
        for (const char* linha : {"Em aberto;entregar;Enviado;entregue ao cliente",
                                  "Em aberto;aprovar;Aprovado;aprovado",
                                  "Em aberto;aprovar em parte;Aprovado em parte;aprovado em parte",
                                  "Em aberto;recusar;Recusado;recusado: Preço",
                                  "Em aberto;concluir;;em aberto|concluído",
                                  "Enviado;entregar;Enviado;entregue ao cliente",
                                  "Enviado;aprovar;Aprovado;aprovado",
                                  "Enviado;aprovar em parte;Aprovado em parte;aprovado em parte",
                                  "Enviado;recusar;Recusado;recusado: Preço",
                                  "Enviado;concluir;;enviado|concluído",
                                  "Vencido;entregar;;vencido|entregue ao cliente",
                                  "Vencido;aprovar;Aprovado;aprovado",
                                  "Vencido;aprovar em parte;Aprovado em parte;aprovado em parte",
                                  "Vencido;recusar;Recusado;recusado: Preço",
                                  "Vencido;concluir;;vencido|concluído",
                                  "Aprovado;entregar;;aprovado|entregue ao cliente",
                                  "Aprovado;aprovar;;aprovado|aprovado",
                                  "Aprovado;aprovar em parte;;aprovado|aprovado em parte",
                                  "Aprovado;recusar;Recusado;recusado: Preço",
                                  "Aprovado;concluir;Concluído;concluído",
                                  "Aprovado em parte;entregar;;aprovado em parte|entregue ao cliente",
                                  "Aprovado em parte;aprovar;;aprovado em parte|aprovado",
                                  "Aprovado em parte;recusar;Recusado;recusado: Preço",
                                  "Aprovado em parte;concluir;Concluído;concluído",
                                  "Recusado;entregar;;recusado|entregue ao cliente",
                                  "Recusado;aprovar;;recusado|aprovado",
                                  "Recusado;recusar;;recusado|recusado",
                                  "Recusado;concluir;;recusado|concluído",
                                  "Concluído;entregar;;concluído|entregue ao cliente",
                                  "Concluído;aprovar;;concluído|aprovado",
                                  "Concluído;recusar;;concluído|recusado",
                                  "Concluído;concluir;;concluído|concluído",
                                  "Em aberto;desfazer;;em aberto|ter a aprovação desfeita",
                                  "Enviado;desfazer;;enviado|ter a aprovação desfeita",
                                  "Vencido;desfazer;;vencido|ter a aprovação desfeita",
                                  "Aprovado;desfazer;Em aberto;aprovação desfeita",
                                  "Aprovado em parte;desfazer;Em aberto;aprovação desfeita",
                                  "Recusado;desfazer;;recusado|ter a aprovação desfeita",
                                  "Concluído;desfazer;;concluído|ter a aprovação desfeita"}) {
            const QStringList t = QString::fromUtf8(linha).split(u';');
            QTest::addRow("%s, %s", qPrintable(t[0]), qPrintable(t[1])) << t[0] << t[1] << t[2] << t[3];
        }
    }
    void a_maquina_de_etapas() {
        QFETCH(QString, etapa);
        QFETCH(QString, operacao);
        QFETCH(QString, depois);
        QFETCH(QString, entradaOuMensagem);
        const double numero = OrcamentoNaEtapa(etapa);
        QVERIFY(numero > 0);
        auto etapas = Etapas();
        QCOMPARE(EtapaDe(*etapas, numero), etapa);
        const qint64 entradas = Entradas(numero);
        const QString ultima = UltimaEntrada(numero);
        const char* emVigor = "SELECT ValorAprovado || '/' || ItensRecusados FROM AprovacoesDoOrcamento "
                              "WHERE NumeroDoOrcamento = ? AND DataEHoraDesfeita IS NULL";
        const QString aprovacao = Consulta(emVigor, {numero});
        const qint16 resultado = Executar(*etapas, numero, operacao);
        // Only a refusal or an undoing ends the approval; the conclusion keeps it whole
        // (an approval made is the approval tests' own).
        const bool encerra = depois == Etapa::Recusado || depois == Etapa::EmAberto;
        if (!operacao.startsWith(u"aprovar") || depois.isEmpty())
            QCOMPARE(Consulta(emVigor, {numero}), encerra ? QString() : aprovacao);
        if (depois.isEmpty()) {
            const QStringList partes = entradaOuMensagem.split(u'|');
            QCOMPARE(resultado, Resultado::Recusado);
            QCOMPARE(etapas->DescricaoDaFalha,
                     u"O orçamento %1 está %2: não pode ser %3."_s.arg(QString::number(qint64(numero)),
                                                                       partes.at(0), partes.at(1)));
            QCOMPARE(EtapaDe(*etapas, numero), etapa);
            QCOMPARE(Entradas(numero), entradas);
            QCOMPARE(UltimaEntrada(numero), ultima);
        } else {
            QCOMPARE(resultado, Resultado::Sucesso);
            QCOMPARE(EtapaDe(*etapas, numero), depois);
            QCOMPARE(Entradas(numero), entradas + 1);
            QCOMPARE(UltimaEntrada(numero), entradaOuMensagem);
            QCOMPARE(
                Consulta("SELECT UsuarioDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?", {numero}),
                u"ANA"_s);
        }
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList());
    }

    void vencido_no_dia_seguinte_a_validade() {
        const double aberto = NovoOrcamento(), enviado = OrcamentoNaEtapa(Etapa::Enviado),
                     aprovado = OrcamentoNaEtapa(Etapa::Aprovado);
        QCOMPARE(Consulta("SELECT DataDeValidadeDoOrcamento FROM Orcamentos WHERE NumeroDoOrcamento = ?",
                          {aberto}),
                 u"2026-12-17"_s);
        auto etapas = Etapas();
        FixarRelogio(QDateTime(QDate(2026, 12, 17), QTime(23, 59, 59)));
        QCOMPARE(EtapaDe(*etapas, aberto), Etapa::EmAberto);
        QCOMPARE(EtapaDe(*etapas, enviado), Etapa::Enviado);
        FixarRelogio(QDateTime(QDate(2026, 12, 18), QTime(0, 0)));
        QCOMPARE(EtapaDe(*etapas, aberto), Etapa::Vencido);
        QCOMPARE(EtapaDe(*etapas, enviado), Etapa::Vencido);
        QCOMPARE(EtapaDe(*etapas, aprovado), Etapa::Aprovado);
        QCOMPARE(Numero("SELECT COUNT(*) FROM EtapasDoOrcamento WHERE Etapa = 'Vencido'"), qint64(0));
    }

    // Each row: what the call gets wrong, the result and the message's start.
    void recusada_ou_obsoleta_nada_muda_data() {
        Colunas<QString, int, QString>("caso", "resultado", "mensagem");
        QTest::newRow("obsoleta") << u"obsoleta"_s << 3
                                  << u"O orçamento %1 foi alterado por ANA em 07/12/2026"_s;
        QTest::newRow("motivo") << u"motivo"_s << 2 << u"O motivo da recusa \"Caro\" não é conhecido."_s;
        QTest::newRow("sem quem") << u"sem quem"_s << 2 << u"Informe quem aprovou o orçamento."_s;
        QTest::newRow("sem como") << u"sem como"_s << 2 << u"Informe como o orçamento foi aprovado."_s;
        QTest::newRow("excluido") << u"excluido"_s << 3 << u"O orçamento %1 não existe mais"_s;
    }
    void recusada_ou_obsoleta_nada_muda() {
        QFETCH(QString, caso);
        QFETCH(int, resultado);
        QFETCH(QString, mensagem);
        const double numero = OrcamentoNaEtapa(Etapa::Enviado);
        const double outro = NovoOrcamento();
        auto etapas = Etapas();
        etapas->Ler(numero);
        const qint64 entradas = Entradas(numero);
        qint16 obtido = -1;
        if (caso == u"obsoleta") {
            // Another workstation hands it over first.
            auto outra = Etapas();
            QCOMPARE(Executar(*outra, numero, u"entregar"_s), qint16(0));
            obtido = etapas->RegistrarAprovacao(numero, u"Maria"_s, u"Telefone"_s, false);
        } else if (caso == u"motivo") {
            obtido = etapas->RegistrarRecusa(numero, u"Caro"_s, QString());
        } else if (caso == u"sem quem") {
            obtido = etapas->RegistrarAprovacao(numero, u"  "_s, u"Telefone"_s, false);
        } else if (caso == u"sem como") {
            obtido = etapas->RegistrarAprovacao(numero, u"Maria"_s, QString(), false);
        } else {
            obtido = etapas->Concluir(outro + 1000);
            QCOMPARE(obtido, qint16(resultado));
            QVERIFY2(etapas->DescricaoDaFalha.startsWith(mensagem.arg(outro + 1000)),
                     qPrintable(etapas->DescricaoDaFalha));
            return;
        }
        QCOMPARE(obtido, qint16(resultado));
        if (mensagem.contains(u"%1")) mensagem = mensagem.arg(qint64(numero));
        QVERIFY2(etapas->DescricaoDaFalha.startsWith(mensagem), qPrintable(etapas->DescricaoDaFalha));
        QCOMPARE(Consulta("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?", {numero}),
                 Etapa::Enviado);
        QCOMPARE(Entradas(numero),
                 entradas + (caso == u"obsoleta" ? 1 : 0)); // the other workstation's own entry
        QVERIFY(UltimaEntrada(numero) != ZELT_N_Orcamentos::OperacaoDoHistorico::Aprovado);
    }

    void a_migracao_marca_os_orcamentos_ja_enviados() {
        const double semEnvio = NovoOrcamento(), umEnvio = NovoOrcamento(), doisEnvios = NovoOrcamento();
        auto etapas = Etapas();
        QCOMPARE(Executar(*etapas, umEnvio, u"enviar"_s), qint16(0));
        QCOMPARE(Executar(*etapas, doisEnvios, u"enviar"_s), qint16(0));
        FixarRelogio(Agora.addSecs(3600));
        auto outroUsuario = Usuario(u"BIA"_s);
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        envios->DadosDoUsuario = outroUsuario.get();
        QCOMPARE(envios->RegistrarEnvio(doisEnvios, ZELT_N_Orcamentos::CanalEmail, u"a@b.com"_s), qint16(0));
        // The database as version 10, the one before the stages, left it (the later
        // versions' tables, made again with IF NOT EXISTS, change nothing here).
        Banco::ExecutarTodos({u"DROP TABLE EtapasDoOrcamento"_s, u"DROP INDEX Orcamentos_Validade"_s,
                              u"UPDATE VersaoDoEsquema SET Versao = 10"_s});
        QCOMPARE(Migracoes::Migrar(), 10);
        QCOMPARE(Textos(u"SELECT NumeroDoOrcamento || ' ' || Etapa || ' ' || UsuarioDaEtapa || ' ' || "
                        "DataEHoraDaEtapa FROM EtapasDoOrcamento ORDER BY NumeroDoOrcamento"_s),
                 (QStringList{u"%1 Enviado ANA 2026-12-07 09:00:00"_s.arg(qint64(umEnvio)),
                              u"%1 Enviado BIA 2026-12-07 10:00:00"_s.arg(qint64(doisEnvios))}));
        QCOMPARE(Numero("SELECT SUM(Quantidade) FROM ContagemDeEtapas WHERE Etapa = 'Enviado'"), qint64(2));
        QCOMPARE(EtapaDe(*etapas, semEnvio), Etapa::EmAberto);
        QCOMPARE(EtapaDe(*etapas, umEnvio), Etapa::Enviado);
    }

    void os_filtros_contam_como_a_mao() {
        // Quotes made on different days, so that their validities differ; listed on
        // 2026-12-07. Validity is the day made + 10.
        struct Feito {
            int diasAntes;
            double cliente;
            qint32 animal;
            QString etapa;
        };
        const QList<Feito> feitos{
            {0, 1, 10, Etapa::EmAberto},        // valid to 17/12: none of the dated filters
            {4, 1, 10, Etapa::EmAberto},        // to 13/12: vence em até 7 dias
            {10, 2, 12, Etapa::EmAberto},       // to 07/12, today: vence em até 7 dias
            {11, 1, 10, Etapa::EmAberto},       // to 06/12: vencido
            {1, 2, 12, Etapa::Enviado},         // to 16/12: aguardando
            {5, 1, 10, Etapa::Enviado},         // to 12/12: aguardando, vence em até 7 dias
            {20, 2, 12, Etapa::Enviado},        // to 27/11: vencido
            {20, 1, 10, Etapa::Aprovado},       // expired but answered: aprovado only
            {2, 2, 12, Etapa::AprovadoEmParte}, // aprovado
            {15, 1, 10, Etapa::Recusado},       // recusado
            {3, 2, 12, Etapa::Concluido},       // concluído
        };
        QList<double> numeros;
        for (const Feito& f : feitos) {
            FixarRelogio(Agora.addDays(-f.diasAntes));
            const double numero = OrcamentoNaEtapa(f.etapa, f.cliente, f.animal);
            QVERIFY(numero > 0);
            numeros << numero;
        }
        FixarRelogio(Agora);
        const auto n = [&](QList<int> indices) {
            QList<qint64> lista;
            for (int i : indices)
                lista.prepend(qint64(numeros.at(i)));
            std::sort(lista.begin(), lista.end(), std::greater<>());
            return lista;
        };
        // Code, search text, the quotes expected (indices above).
        const struct {
            qint32 codigo;
            QString texto;
            QList<qint64> esperados;
        } casos[] = {{F::AguardandoResposta, {}, n({4, 5})},
                     {F::VencemEmAte7Dias, {}, n({1, 2, 5})},
                     {F::Vencidos, {}, n({3, 6})},
                     {F::Aprovados, {}, n({7, 8})},
                     {F::Recusados, {}, n({9})},
                     {F::Concluidos, {}, n({10})},
                     {F::AguardandoResposta, u"maria"_s, n({4})},
                     {F::VencemEmAte7Dias, u"joão"_s, n({1, 5})},
                     {F::Vencidos, u"maria"_s, n({6})},
                     {F::Aprovados, u"maria"_s, n({8})},
                     {F::Concluidos, u"joão"_s, n({})},
                     {F::Vencidos, QString::number(qint64(numeros.at(3))), n({3})}};
        for (const auto& caso : casos)
            QCOMPARE(Listados(caso.codigo, caso.texto), caso.esperados);
        // A quote deleted takes its stage out of the counts too.
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {numeros.at(7)});
        QCOMPARE(Lista(F::Aprovados)->RecordCount(), 1);
        QCOMPARE(Lista(F::Vencidos)->RecordCount(), 2);
        QCOMPARE(EtapasDoOrcamento::Divergencias(), QStringList());
        Banco::Executar(
            u"UPDATE ContagemDeEtapas SET Quantidade = Quantidade + 1 WHERE Etapa = ? AND Fatia = "
            "(SELECT MIN(Fatia) FROM ContagemDeEtapas WHERE Etapa = ?)"_s,
            {Etapa::Recusado, Etapa::Recusado});
        QCOMPARE(EtapasDoOrcamento::Divergencias(),
                 QStringList{u"Etapa Recusado: 1 orçamentos, contagem 2"_s});
    }

    void os_vencidos_comecam_na_faixa_de_numeros_com_validade_passada() {
        namespace Faixas = FaixasDeValidade;
        // An expired quote in the first range of numbers, two made today in the third.
        FixarRelogio(Agora.addDays(-20));
        const qint64 antigo = OrcamentoNaEtapa(Etapa::Enviado);
        FixarRelogio(Agora);
        ProximoNumero(2 * Faixas::Tamanho);
        const qint64 hoje = OrcamentoNaEtapa(Etapa::EmAberto), enviado = OrcamentoNaEtapa(Etapa::Enviado);
        QCOMPARE(hoje, 2 * Faixas::Tamanho);
        QCOMPARE(Listados(F::Vencidos), (QList<qint64>{antigo}));
        // Eleven days later today's quotes are expired: their range's date is the insert's.
        FixarRelogio(Agora.addDays(11));
        QCOMPARE(Listados(F::Vencidos), (QList<qint64>{enviado, hoje, antigo}));
        // A quote of the fifth range, its validity moved back by another program.
        ProximoNumero(4 * Faixas::Tamanho + 5);
        const qint64 recuado = OrcamentoNaEtapa(Etapa::Enviado);
        QCOMPARE(Listados(F::Vencidos), (QList<qint64>{enviado, hoje, antigo}));
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = '2026-12-10' WHERE "
                        "NumeroDoOrcamento = ?"_s,
                        {recuado});
        const QList<qint64> todos{recuado, enviado, hoje, antigo};
        QCOMPARE(Listados(F::Vencidos), todos);
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList());
        // A range's date later than one of its quotes is told (and would hide it).
        Banco::Executar(u"UPDATE ValidadeDasFaixas SET MenorValidade = '2027-01-01' WHERE Faixa = 4"_s);
        QCOMPARE(Faixas::Divergencias(),
                 QStringList{u"Faixa 4 (orçamentos 4096 a 5119): validade 2026-12-10, faixa 2027-01-01"_s});
        // The schema version before the ranges fills them from the quotes.
        Banco::ExecutarTodos(
            {u"DROP TABLE ValidadeDasFaixas"_s, u"UPDATE VersaoDoEsquema SET Versao = 19"_s});
        QCOMPARE(Migracoes::Migrar(), 19);
        QCOMPARE(Faixas::Divergencias(), QStringList());
        QCOMPARE(Numero("SELECT COUNT(*) FROM ValidadeDasFaixas"), qint64(3));
        QCOMPARE(Listados(F::Vencidos), todos);
    }

    void duas_estacoes_respondem_o_mesmo_orcamento() {
        if (BancoEhSQLite()) QSKIP("workstations as processes of their own run on PostgreSQL");
        for (int rodada = 1; rodada <= 3; ++rodada) {
            const double numero = OrcamentoNaEtapa(Etapa::Enviado);
            const qint64 entradas = Entradas(numero);
            const QByteArray saidas = msessao->DuasEstacoes(
                msessao->Pasta().filePath(u"inicio%1"_s.arg(rodada)), {u"aprovar"_s, u"recusar"_s}, numero);
            QVERIFY2(!saidas.startsWith("falha: "), saidas.constData());
            QCOMPARE(saidas.count("resultado 0"), 1);
            QCOMPARE(saidas.count("resultado 3"), 1);
            QVERIFY2(saidas.contains("depois que este formulário o leu"), saidas.constData());
            const QString etapa =
                Consulta("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?", {numero});
            QVERIFY2(etapa == Etapa::Aprovado || etapa == Etapa::Recusado, qPrintable(etapa));
            QCOMPARE(Entradas(numero), entradas + 1);
            QCOMPARE(UltimaEntrada(numero), etapa == Etapa::Aprovado ? u"aprovado"_s : u"recusado: Preço"_s);
            // The follow-up's counters (and the list's) equal a recount after both answered.
            QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TesteDasEtapas)
#include "tst_negocio_etapas.moc"
