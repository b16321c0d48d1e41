// The quotes' history on a real database: the entry and the copy each operation
// writes (and nothing for a refused one), the deleted quotes and their restoration,
// numbers never used twice, the migration of a database that already holds quotes,
// and several workstations restoring and saving at once (processes of their own).

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/Compactacao.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/EtapasDoOrcamento.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Historico.h"
#include "business/Migracoes.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QSqlRecord>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsHistorico;
using ZELT_N_Orcamentos::clsOrcamentos;
using ZELT_N_Orcamentos::clsOrcItens;

namespace {

const QDateTime Agora(QDate(2026, 12, 5), QTime(14, 3, 0));

struct Entrada {
    QString Operacao, Usuario, DataEHora;
    qint64 ValorLiquido = 0, QuantidadeDeItens = 0;
    QJsonArray Orcamento, Itens;
};

// The quote's entries, oldest first.
QList<Entrada> Entradas(double numero) {
    QList<Entrada> entradas;
    QSqlQuery q = Banco::Executar(u"SELECT Operacao, Usuario, DataEHora, ValorLiquido, "
                                  "QuantidadeDeItens, NumeroDoRegistro FROM HistoricoDeOrcamentos WHERE "
                                  "NumeroDoOrcamento = ? ORDER BY NumeroDoRegistro"_s,
                                  {qint64(numero)});
    while (q.next()) {
        const QJsonObject copia = Historico::CopiaDaEntrada(q.value(5).toLongLong());
        entradas << Entrada{q.value(0).toString(),        q.value(1).toString(),
                            q.value(2).toString(),        q.value(3).toLongLong(),
                            q.value(4).toLongLong(),      copia.value(u"o"_s).toArray(),
                            copia.value(u"i"_s).toArray()};
    }
    return entradas;
}

qint64 QuantidadeDeEntradas() {
    return Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos");
}

// Every stored column of the quote, of its items and of its stage, sends, approvals,
// weight and items "se necessário", byte for byte, as one text, to compare versions.
QString Estado(double numero) {
    QStringList partes;
    for (const QString& tabela :
         {u"Orcamentos"_s, u"ItensDeOrcamento"_s, u"EtapasDoOrcamento"_s, u"EnviosDeOrcamentos"_s,
          u"AprovacoesDoOrcamento"_s, u"PesosDosOrcamentos"_s, u"ItensSeNecessario"_s}) {
        QSqlQuery q = Banco::Executar(
            u"SELECT * FROM %1 WHERE NumeroDoOrcamento = ? ORDER BY 1, 2"_s.arg(tabela), {qint64(numero)});
        while (q.next())
            for (int c = 0; c < q.record().count(); ++c)
                partes << q.record().fieldName(c).toLower() + u'=' +
                              QString::fromLatin1(q.value(c).toByteArray());
    }
    return partes.join(u';');
}

std::unique_ptr<clsHistorico> ObjetoDoHistorico(QObject* usuario) {
    auto historico = Zelt::CriarObjeto<clsHistorico>(ProgId::Historico);
    historico->DadosDoUsuario = usuario;
    return historico;
}

} // namespace

class TesteDoHistorico : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    std::unique_ptr<QObject> madministrador = [] {
        auto usuario = Usuario(u"ADMINISTRADOR"_s);
        usuario->setProperty("Administrador", true);
        return usuario;
    }();

    qint16 Excluir(double numero, QObject* usuario) {
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, usuario);
        orcamento->NumeroDoOrcamento = numero;
        orcamento->DataEHoraDaAlteracaoLida = AlteracaoGravada(numero);
        return orcamento->Excluir();
    }

    // The stamp of the stored version, as a form that read it now hands it back.
    static QString AlteracaoGravada(double numero) {
        const QVariant alteracao = Banco::Valor(
            u"SELECT DataEHoraDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {qint64(numero)});
        return alteracao.isNull() ? QString() : VB::CStr(Banco::DataEHoraDeIso(alteracao.toString()));
    }

    qint16 RemoverItem(double numero, double item, const char* total, const char* liquido) {
        auto itens = Objeto<clsOrcItens>(ProgId::OrcItens);
        itens->DataEHoraDaAlteracaoLida = AlteracaoGravada(numero);
        itens->ValorTotalDoOrcamento = VB::CCur(QString::fromLatin1(total));
        itens->ValorLiquidoDoOrcamento = VB::CCur(QString::fromLatin1(liquido));
        return VB::CBool(itens->Excluir(numero, item)) ? 1 : 0;
    }

private slots:
    void cada_operacao_registra_quem_quando_o_que_e_a_copia() {
        const double numero = NovoOrcamentoComProduto();
        QVERIFY(numero > 0);
        FixarRelogio(Agora.addSecs(60));
        QCOMPARE(AlterarComMaisUmItem(numero), qint16(0));
        FixarRelogio(Agora.addSecs(120));
        QCOMPARE(RemoverItem(numero, 2, "240,00", "228,00"), qint16(0));
        FixarRelogio(Agora.addSecs(180));
        QCOMPARE(Excluir(numero, musuario.get()), qint16(0));

        const QList<Entrada> e = Entradas(numero);
        QCOMPARE(e.size(), 4);
        const QStringList esperadas{u"incluído"_s, u"alterado"_s, u"item removido"_s, u"excluído"_s};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(e[i].Operacao, esperadas[i]);
            QCOMPARE(e[i].Usuario, u"ANA"_s);
            QCOMPARE(e[i].DataEHora, Banco::DataEHoraIso(Agora.addSecs(60 * i)));
        }
        // Items and net value of each version: 2 items 547,80; 3 items 667,80; item 2
        // removed: 2 items 228,00; deleted as it stood.
        const std::pair<qint64, qint64> versoes[] = {{2, 5478000}, {3, 6678000}, {2, 2280000}};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(std::pair(e[i].QuantidadeDeItens, e[i].ValorLiquido), versoes[i]);
        QCOMPARE(e[3].Itens, e[2].Itens);
        QCOMPARE(e[3].Orcamento, e[2].Orcamento);
        // The copy holds every stored column: item numbers, names, the product's code.
        QCOMPARE(e[1].Itens.at(2).toArray().at(0).toInteger(), 3);
        QCOMPARE(e[1].Itens.at(1).toArray().at(6).toString(), u"Ração Cães 15 kg"_s);
        QCOMPARE(e[2].Itens.at(1).toArray().at(0).toInteger(), 3);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos WHERE NumeroDoOrcamento = ?", {qint64(numero)}), 0);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos WHERE NumeroDoOrcamento = ? AND "
                        "UsuarioDaExclusao = 'ANA'",
                        {qint64(numero)}),
                 1);
    }

    void colunas_nomeadas_sao_as_da_tabela_data() {
        Colunas<QString, QStringList>("tabela", "colunas");
        QTest::newRow("orçamento") << u"Orcamentos"_s << GravacaoDeOrcamentos::ColunasDoOrcamento;
        QTest::newRow("item") << u"ItensDeOrcamento"_s << GravacaoDeOrcamentos::ColunasDoItem;
    }

    // The columns the inserts, the history's copies and its restorations name are the
    // table's own, in its order, as the database reports them: a column added to a table
    // and forgotten in the list fails here.
    void colunas_nomeadas_sao_as_da_tabela() {
        QFETCH(QString, tabela);
        QFETCH(QStringList, colunas);
        const QStringList daTabela = BancoDeTeste::Textos(
            BancoEhSQLite()
                ? u"SELECT lower(name) FROM pragma_table_info('%1') ORDER BY cid"_s.arg(tabela)
                : u"SELECT lower(column_name) FROM information_schema.columns WHERE table_schema = "
                  "current_schema() AND table_name = lower('%1') ORDER BY ordinal_position"_s.arg(tabela));
        QStringList nomeadas;
        for (const QString& coluna : QStringList{u"NumeroDoOrcamento"_s} + colunas)
            nomeadas << coluna.toLower();
        QCOMPARE(daTabela, nomeadas);
        // The items' insert names every column; each copy holds a value for each.
        if (tabela == u"ItensDeOrcamento"_s)
            QVERIFY(GravacaoDeOrcamentos::InsercaoDeItens(2).toLower().startsWith(
                u"insert into itensdeorcamento (%1) values ("_s.arg(nomeadas.join(u", "_s))));
        const double numero = NovoOrcamentoComProduto();
        const Entrada inclusao = Entradas(numero).value(0);
        QCOMPARE(inclusao.Itens.size(), 2);
        const QJsonArray copia =
            tabela == u"Orcamentos"_s ? inclusao.Orcamento : inclusao.Itens.at(1).toArray();
        QCOMPARE(copia.size(), daTabela.size() - 1);
    }

    void operacao_recusada_ou_rejeitada_nao_registra_nada() {
        const double numero = NovoOrcamentoComProduto();
        const double unico = NovoOrcamento();
        QVERIFY(numero > 0 && unico > 0);
        const qint64 antes = QuantidadeDeEntradas();
        GradeEmMemoria grade;
        auto semCliente = OrcamentoValido(grade, musuario.get());
        semCliente->CodigoDoCliente = 0;
        QCOMPARE(semCliente->Adicionar(), qint16(2));
        QCOMPARE(AlterarComMaisUmItem(numero, u"01/01/2020 10:00:00"_s), qint16(3));
        QCOMPARE(RemoverItem(unico, 1, "0,00", "0,00"), qint16(1)); // its last item
        QCOMPARE(RemoverItem(numero, 99, "120,00", "108,00"), qint16(1));
        QCOMPARE(Excluir(987654, musuario.get()), qint16(3));
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento = ?"_s, {qint64(unico)});
        QCOMPARE(Excluir(unico, musuario.get()), qint16(2));
        auto historico = ObjetoDoHistorico(madministrador.get());
        QCOMPARE(historico->Restaurar(numero), qint16(3)); // not deleted
        QCOMPARE(QuantidadeDeEntradas(), antes);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 0);
    }

    // A business call made inside a unit of work its caller opened (as a benchmark
    // does, to undo what it measured) is part of that unit: undone with it, and an inner
    // unit undone takes back only its own rows.
    void unidade_dentro_de_outra_nao_encerra_a_de_fora() {
        const double numero = NovoOrcamento();
        QVERIFY(numero > 0);
        const qint64 antes = QuantidadeDeEntradas();
        auto envios = Envio();
        {
            Banco::UnidadeDeTrabalho deFora;
            Banco::Executar(u"UPDATE Clientes SET Celular = '(19) 90000-0000' WHERE CodigoDoCliente = 1"_s);
            QCOMPARE(envios->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalWhatsApp, u"5519900000000"_s),
                     qint16(0));
            QCOMPARE(Numero("SELECT COUNT(*) FROM EnviosDeOrcamentos"), 1);
        } // never confirmed
        QCOMPARE(Numero("SELECT COUNT(*) FROM EnviosDeOrcamentos"), 0);
        QCOMPARE(QuantidadeDeEntradas(), antes);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Clientes WHERE Celular = '(19) 90000-0000'"), 0);

        // An inner unit that failed halfway (on PostgreSQL a failed statement spoils the
        // whole transaction) is undone alone; the outer one goes on and is kept.
        {
            Banco::UnidadeDeTrabalho deFora;
            QCOMPARE(envios->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalEmail, u"ana@exemplo.com.br"_s),
                     qint16(0));
            bool falhou = false;
            try {
                Banco::UnidadeDeTrabalho deDentro;
                Banco::Executar(u"UPDATE Clientes SET Celular = 'x' WHERE CodigoDoCliente = 1"_s);
                Banco::Executar(u"SELECT * FROM TabelaQueNaoExiste"_s);
            } catch (const VB::ErroDeExecucao&) {
                falhou = true;
            }
            QVERIFY(falhou);
            deFora.Confirmar();
        }
        QCOMPARE(Numero("SELECT COUNT(*) FROM EnviosDeOrcamentos WHERE Canal = 'e-mail'"), 1);
        QCOMPARE(QuantidadeDeEntradas(), antes + 1);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Clientes WHERE Celular = 'x'"), 0);
        QVERIFY(!Banco::TransacaoAberta());
    }

    void restaurar_devolve_o_orcamento_com_numero_data_itens_e_valores() {
        FixarRelogio(Agora.addDays(-40)); // an old quote: not among the "Recentes"
        const double numero = NovoOrcamentoComProduto();
        QVERIFY(numero > 0);
        FixarRelogio(Agora.addDays(-39));
        QCOMPARE(AlterarComMaisUmItem(numero), qint16(0));
        const QString antes = Estado(numero);
        FixarRelogio(Agora);
        QCOMPARE(Excluir(numero, musuario.get()), qint16(0));

        auto historico = ObjetoDoHistorico(madministrador.get());
        qint16 pagina = 10;
        QCOMPARE(historico->SelecionarExcluidos(pagina, QString()), QVariant(false));
        RecordsetPtr excluidos = historico->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Conteudo(*excluidos),
                 QStringList{u"NumeroDoOrcamento=%1|CodigoDoCliente=1|ApelidoOuNomeFantasiaDoCliente=João|"
                             "NomeOuRazaoSocialDoCliente=João da Silva|ValorLiquido=667,8|"
                             "DataEHoraDaExclusao=05/12/2026 14:03:00|UsuarioDaExclusao=ANA"_s.arg(numero)});

        FixarRelogio(Agora.addSecs(30));
        QCOMPARE(historico->Restaurar(numero), qint16(0));
        QCOMPARE(Estado(numero), antes); // number, date, stamps, items and values as they were
        QCOMPARE(Entradas(numero).constLast().Operacao, u"restaurado"_s);
        QCOMPARE(Entradas(numero).constLast().Usuario, u"ADMINISTRADOR"_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 0);
        // Back in the list, found by its number among the active quotes.
        auto lista = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        QCOMPARE(lista->Selecionar(1, pagina, 1, QString::number(numero), 0, 0), QVariant(false));
        QCOMPARE(Codigos(*lista->ResultadoDaSelecaoEmRecordSet(), "NumeroDoOrcamento"), {qint64(numero)});
        // Counted again as it was: João's, active, dated 40 days ago (not "Recentes").
        QCOMPARE(Lista(1, u"joão"_s)->RecordCount(), 1);
        QCOMPARE(Lista(3)->RecordCount(), 0);
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
        // A second restoration finds nothing to restore.
        QCOMPARE(historico->Restaurar(numero), qint16(3));
        QVERIFY2(historico->DescricaoDaFalha.contains(u"já foi restaurado"_s),
                 qPrintable(historico->DescricaoDaFalha));
        // The restored quote is the version read before: deleted again with its stamp.
        QCOMPARE(Excluir(numero, musuario.get()), qint16(0));
    }

    void numero_de_orcamento_nunca_volta_a_ser_usado() {
        // The newest quote deleted: the next quote gets a new number, never the deleted
        // one's, so its restoration always finds its number free.
        const double primeiro = NovoOrcamento();
        const double ultimo = NovoOrcamento();
        QVERIFY(ultimo > primeiro);
        QCOMPARE(Excluir(ultimo, musuario.get()), qint16(0));
        const double seguinte = NovoOrcamento();
        QVERIFY(seguinte > ultimo);
        QCOMPARE(ObjetoDoHistorico(madministrador.get())->Restaurar(ultimo), qint16(0));
        QCOMPARE(Excluir(seguinte, musuario.get()), qint16(0));
        QVERIFY(NovoOrcamento() > seguinte);
        QCOMPARE(ObjetoDoHistorico(madministrador.get())->Restaurar(seguinte), qint16(0));
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), 4);
    }

    void so_o_administrador_restaura() {
        const double numero = NovoOrcamento();
        QCOMPARE(Excluir(numero, musuario.get()), qint16(0));
        const qint64 antes = QuantidadeDeEntradas();
        const auto balconista = Usuario(u"ANA"_s, false);
        auto historico = ObjetoDoHistorico(balconista.get());
        QCOMPARE(historico->Restaurar(numero), qint16(3));
        QCOMPARE(historico->DescricaoDaFalha,
                 u"Somente um administrador pode restaurar um orçamento excluído."_s);
        historico->DadosDoUsuario = nullptr;
        QCOMPARE(historico->Restaurar(numero), qint16(1));
        QCOMPARE(historico->NumeroDoErro, long(VB::ObjetoNaoDefinido));
        QCOMPARE(QuantidadeDeEntradas(), antes);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 1);
    }

    void restaurar_devolve_etapa_envios_e_aprovacao_data() {
        // aprovar: 1 in person, 64 KB signed; 2 by phone, undone
        // pagar: and paid: its removal refused
        // dias: the clock moved on before the removal
        // antiga: a removal entry written before it kept the rest
        // etapa: shown before the removal and after the restoration
        Colunas<int, bool, int, bool, QString>("aprovar", "pagar", "dias", "antiga", "etapa");
        QTest::newRow("aprovado em parte") << 1 << false << 0 << false << u"Aprovado em parte"_s;
        QTest::newRow("aprovação desfeita, vencido") << 2 << false << 30 << false << u"Vencido"_s;
        QTest::newRow("entrada antiga") << 1 << false << 0 << true << u"Aprovado em parte"_s;
        QTest::newRow("com pagamento") << 1 << true << 0 << false << u"Aprovado em parte"_s;
    }
    void restaurar_devolve_etapa_envios_e_aprovacao() {
        QFETCH(int, aprovar);
        QFETCH(bool, pagar);
        QFETCH(int, dias);
        QFETCH(bool, antiga);
        QFETCH(QString, etapa);
        const double numero = NovoOrcamentoDeDoisServicos();
        auto envios = Envio();
        int dia = 0; // a send a day: the days to the answer count from the first
        for (const QString& canal : {ZELT_N_Orcamentos::CanalEmail, ZELT_N_Orcamentos::CanalWhatsApp}) {
            FixarRelogio(Agora.addDays(++dia));
            QCOMPARE(envios->RegistrarEnvio(numero, canal, u"ana@exemplo.com.br"_s), qint16(0));
        }
        const QByteArray assinatura = "\x89PNG\r\n\x1a\n" + QByteArray("\0\xff\x80\x7f", 4).repeated(16382);
        for (const char* pacote :
             {"INSERT INTO PesosDosOrcamentos VALUES (?, 10, 45000)",
              "INSERT INTO ItensSeNecessario VALUES (?, 1)"}) // a package's weight and mark
            Banco::Executar(QString::fromLatin1(pacote), {qint64(numero)});
        auto aprovacao = Aprovacao();
        if (aprovar == 2) QCOMPARE(AprovarSemItens(numero, {}), 0);
        if (aprovar) QCOMPARE(aprovacao->Ler(numero), 0);
        if (aprovar == 1) // in part
            QCOMPARE(aprovacao->Aprovar(numero, {2}, u"Maria"_s, {}, u"Presencial"_s, assinatura), 0);
        if (aprovar == 2) QCOMPARE(aprovacao->DesfazerAprovacao(numero), 0);
        if (pagar) QCOMPARE(aprovacao->RegistrarPagamento(numero, VB::CCur(u"50"_s), u"Dinheiro"_s, {}), 0);
        FixarRelogio(Agora.addDays(dia + dias));
        const QString antes = Estado(numero), mostrada = EtapaDe(numero);
        QCOMPARE(Excluir(numero, musuario.get()), qint16(pagar ? 3 : 0));
        const qint64 registro = Numero("SELECT MAX(NumeroDoRegistro) FROM HistoricoDeOrcamentos");
        if (antiga) { // the copy as removals wrote it before they kept the rest
            QJsonObject copia = Historico::CopiaDaEntrada(registro);
            copia.remove(u"v"_s);
            Banco::Executar(u"UPDATE HistoricoDeOrcamentos SET Copia = ?, CopiaCompactada = NULL WHERE "
                            "NumeroDoRegistro = ?"_s,
                            {QString::fromUtf8(QJsonDocument(copia).toJson()), registro});
        }
        QCOMPARE(ObjetoDoHistorico(madministrador.get())->Restaurar(numero), qint16(pagar ? 3 : 0));
        // Only the removal's entry carries the signature: no later copy is its difference.
        QCOMPARE(Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE RegistroDaBase = ?", {registro}),
                 0);
        QCOMPARE(mostrada, etapa);
        QCOMPARE(EtapaDe(numero), antiga ? u"Em aberto"_s : etapa);
        QCOMPARE(Estado(numero) == antes, !antiga); // the old entry: without its sends and approval
        QCOMPARE(Numero("SELECT COUNT(*) FROM EnviosDeOrcamentos"), antiga ? 0 : 2);
        QCOMPARE(ContagemDeOrcamentos::Divergencias() + EtapasDoOrcamento::Divergencias(), QStringList{});
    }

    void migracao_registra_os_orcamentos_que_o_banco_ja_tem() {
        const double alterado = NovoOrcamentoComProduto();
        FixarRelogio(Agora.addSecs(60));
        QCOMPARE(AlterarComMaisUmItem(alterado), qint16(0));
        const double novo = NovoOrcamento(2, 12);
        // The database as the version before the history left it.
        for (const char* sql : {"DROP TABLE OrcamentosExcluidos", "DROP TABLE HistoricoDeOrcamentos",
                                "UPDATE VersaoDoEsquema SET Versao = 3"})
            Banco::Executar(QString::fromLatin1(sql));
        if (BancoEhSQLite()) Banco::Executar(u"DROP TABLE OrcamentosExcluidosPesquisa"_s);
        FixarRelogio(Agora.addDays(1));
        Negocio::Iniciar(msessao->Configuracao());
        QCOMPARE(Numero("SELECT Versao FROM VersaoDoEsquema"), qint64(Migracoes::VersaoMaisRecente()));
        QCOMPARE(QuantidadeDeEntradas(), 2);
        const char* const compactadas = "SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE Copia = '' AND "
                                        "CopiaCompactada IS NOT NULL AND RegistroDaBase IS NULL";
        QCOMPARE(Numero(compactadas), 2);
        // A history that kept its copies as text (before they were compacted): the next
        // start compacts them, each copy as it was.
        const QList<Entrada> comoEram = Entradas(alterado);
        for (const qint64 registro : {Numero("SELECT MIN(NumeroDoRegistro) FROM HistoricoDeOrcamentos"),
                                      Numero("SELECT MAX(NumeroDoRegistro) FROM HistoricoDeOrcamentos")})
            Banco::Executar(
                u"UPDATE HistoricoDeOrcamentos SET Copia = ?, CopiaCompactada = NULL WHERE "
                "NumeroDoRegistro = ?"_s,
                {QString::fromUtf8(QJsonDocument(Historico::CopiaDaEntrada(registro)).toJson()), registro});
        Banco::Executar(u"UPDATE VersaoDoEsquema SET Versao = 6"_s);
        Negocio::Iniciar(msessao->Configuracao());
        QCOMPARE(Numero(compactadas), 2);
        QCOMPARE(Entradas(alterado).constFirst().Itens, comoEram.constFirst().Itens);
        const Entrada a = Entradas(alterado).constFirst();
        QCOMPARE(a.Operacao, u"já existente"_s);
        QCOMPARE(a.Usuario, u"ANA"_s);
        QCOMPARE(a.DataEHora, Banco::DataEHoraIso(Agora.addSecs(60)));
        QCOMPARE(a.QuantidadeDeItens, 3);
        QCOMPARE(a.Itens.size(), 3);
        QCOMPARE(Entradas(novo).constFirst().DataEHora, Banco::DataEHoraIso(Agora.addSecs(60)));
        QCOMPARE(Entradas(novo).constFirst().QuantidadeDeItens, 1);
        // The history goes on from there: deleted and restored whole.
        const QString antes = Estado(alterado);
        QCOMPARE(Excluir(alterado, musuario.get()), qint16(0));
        QCOMPARE(ObjetoDoHistorico(madministrador.get())->Restaurar(alterado), qint16(0));
        QCOMPARE(Estado(alterado), antes);
    }

    void versoes_seguintes_guardam_a_diferenca_da_copia_inteira() {
        const double numero = NovoOrcamentoComProduto();
        QCOMPARE(AlterarComMaisUmItem(numero), qint16(0));
        QCOMPARE(Excluir(numero, musuario.get()), qint16(0));
        QSqlQuery q = Banco::Executar(u"SELECT NumeroDoRegistro, RegistroDaBase, Copia, "
                                      "CopiaCompactada FROM HistoricoDeOrcamentos WHERE "
                                      "NumeroDoOrcamento = ? ORDER BY NumeroDoRegistro"_s,
                                      {qint64(numero)});
        QVERIFY(q.next());
        const qint64 primeira = q.value(0).toLongLong();
        const QByteArray inteira = q.value(3).toByteArray();
        QVERIFY(q.value(1).isNull());
        for (int versao = 2; versao <= 3; ++versao) {
            QVERIFY(q.next());
            QCOMPARE(q.value(1).toLongLong(), primeira);
            QCOMPARE(q.value(2).toString(), QString());
            QVERIFY2(q.value(3).toByteArray().size() * 2 <= inteira.size(),
                     qPrintable(QString::number(versao)));
        }
        const QList<Entrada> e = Entradas(numero);
        QCOMPARE(e.at(1).Itens.size(), 3);
        QCOMPARE(e.at(2).Itens, e.at(1).Itens);
        // A difference opens only against the text it was made from, and a cut stream not at all.
        const QByteArray texto = *Compactacao::Descompactar(inteira);
        QVERIFY(!Compactacao::Descompactar(Compactacao::Compactar("outro", texto), "texto qualquer"));
        QVERIFY(!Compactacao::Descompactar(inteira.left(inteira.size() - 3)));
        // A damaged whole copy: the restoration is refused whole, with its reason.
        QByteArray danificada = inteira;
        danificada[danificada.size() / 2] = char(danificada.at(danificada.size() / 2) ^ 0x55);
        Banco::Executar(u"UPDATE HistoricoDeOrcamentos SET CopiaCompactada = ? WHERE NumeroDoRegistro = ?"_s,
                        {danificada, primeira});
        auto historico = ObjetoDoHistorico(madministrador.get());
        QCOMPARE(historico->Restaurar(numero), qint16(1));
        QVERIFY2(historico->DescricaoDoErro.contains(u"danificada"_s),
                 qPrintable(historico->DescricaoDoErro));
        QCOMPARE(QuantidadeDeEntradas(), 3);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 1);
    }

    void duas_estacoes_restauram_o_mesmo_orcamento_ao_mesmo_tempo() {
        for (int rodada = 1; rodada <= 3; ++rodada) {
            const double numero = NovoOrcamentoComProduto();
            QCOMPARE(Excluir(numero, musuario.get()), qint16(0));
            const QByteArray saidas =
                msessao->DuasEstacoes(msessao->Pasta().filePath(u"inicio%1"_s.arg(rodada)),
                                      {u"restaurar"_s, u"restaurar"_s}, numero);
            QVERIFY2(!saidas.startsWith("falha: "), saidas.constData());
            QCOMPARE(saidas.count("resultado 0"), 1);
            QCOMPARE(saidas.count("resultado 3"), 1);
            QVERIFY2(saidas.contains("restaurado por outro usuário"), saidas.constData());
            QCOMPARE(Entradas(numero).size(), 3); // incluído, excluído, restaurado once
            QCOMPARE(Entradas(numero).constLast().Operacao, u"restaurado"_s);
        }
    }

    void restaurar_enquanto_outra_estacao_grava() {
        QList<double> excluidos;
        for (int i = 0; i < 15; ++i) {
            excluidos << NovoOrcamento();
            QCOMPARE(Excluir(excluidos.constLast(), musuario.get()), qint16(0));
        }
        const qint64 antes = QuantidadeDeEntradas();
        QStringList numeros;
        for (const double n : excluidos)
            numeros << QString::number(n);
        const QString inicio = msessao->Pasta().filePath(u"inicio"_s);
        auto gravador = msessao->Estacao({u"--inicio"_s, inicio, u"adicionar"_s, u"30"_s});
        auto restaurador = msessao->Estacao({u"--inicio"_s, inicio, u"restaurar"_s, numeros.join(u',')});
        QTest::qWait(300);
        QFile(inicio).open(QIODevice::WriteOnly);
        QVERIFY(gravador->waitForFinished(120000));
        QVERIFY(restaurador->waitForFinished(120000));
        QCOMPARE(gravador->exitCode(), 0);
        QCOMPARE(restaurador->exitCode(), 0);
        QCOMPARE(restaurador->readAllStandardOutput().count("resultado 0"), 15);
        // Each entry is of one committed operation: one per quote stored, one per
        // restoration, each copy with the items its quote was stored with.
        QCOMPARE(QuantidadeDeEntradas(), antes + 30 + 15);
        const QList<QByteArray> gravados = gravador->readAllStandardOutput().split('\n');
        int conferidos = 0;
        for (const QByteArray& linha : gravados) {
            const QList<QByteArray> partes = linha.split(' ');
            if (partes.value(0) != "gravado") continue;
            const QList<Entrada> e = Entradas(partes.at(1).toDouble());
            QCOMPARE(e.size(), 1);
            QCOMPARE(e[0].Operacao, u"incluído"_s);
            QCOMPARE(e[0].QuantidadeDeItens, partes.at(2).toLongLong());
            QCOMPARE(e[0].ValorLiquido, partes.at(4).toLongLong());
            ++conferidos;
        }
        QCOMPARE(conferidos, 30);
        for (const double n : excluidos)
            QCOMPARE(Entradas(n).constLast().Operacao, u"restaurado"_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 0);
    }
};

QTEST_GUILESS_MAIN(TesteDoHistorico)
#include "tst_negocio_historico.moc"
