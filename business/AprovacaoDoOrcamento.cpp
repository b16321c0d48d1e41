// The approvals and payments of the quotes (AprovacaoDoOrcamento.h) and
// ZELT_N_Orcamentos.clsAprovacaoDoOrcamento.

#include "business/AprovacaoDoOrcamento.h"

#include "business/Banco.h"
#include "business/EtapasDoOrcamento.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/Relogio.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "contracts/Textos.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace AprovacaoDoOrcamento {
namespace {

namespace E = ZELT_N_Orcamentos::Etapa;
namespace Op = ZELT_N_Orcamentos::OperacaoDoHistorico;
using EtapasDoOrcamento::Operacao;

QString TextoDosItens(QList<qint32> itens) {
    std::sort(itens.begin(), itens.end());
    QStringList textos;
    for (const qint32 item : itens)
        textos << QString::number(item);
    return textos.join(u',');
}

} // namespace

bool EstaAprovado(const QString& etapaGravada) {
    return etapaGravada == E::Aprovado || etapaGravada == E::AprovadoEmParte;
}

QDateTime Aprovar(const GravacaoDeOrcamentos::OrcamentoGravado& gravado, const Pedido& pedido,
                  const QString& usuario) {
    const QString mostrada =
        EtapasDoOrcamento::EtapaMostrada(gravado.Etapa, gravado.Validade, Relogio::Hoje());
    const Operacao operacao =
        pedido.ItensRecusados.isEmpty() ? Operacao::Aprovacao : Operacao::AprovacaoEmParte;
    const auto destino = EtapasDoOrcamento::Destino(operacao, mostrada);
    if (!destino) Objetos::Recusar(EtapasDoOrcamento::MensagemDeRecusa(gravado.Numero, operacao, mostrada));
    // The items, their marks "se necessário" and what was paid, in one statement.
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT i.NumeroDoItemDoOrcamento, i.ValorTotal, (SELECT COALESCE(SUM(p.Valor), 0) FROM "
            "PagamentosDoOrcamento p WHERE p.NumeroDoOrcamento = i.NumeroDoOrcamento), "
            "m.NumeroDoItemDoOrcamento "
            "FROM ItensDeOrcamento i LEFT JOIN ItensSeNecessario m ON m.NumeroDoOrcamento = "
            "i.NumeroDoOrcamento "
            "AND m.NumeroDoItemDoOrcamento = i.NumeroDoItemDoOrcamento WHERE i.NumeroDoOrcamento = ?"),
        {gravado.Numero});
    QList<qint32> itens;
    VB::Currency valor, minimo, pago;
    while (q.next()) {
        const qint32 item = q.value(0).toInt();
        itens << item;
        if (!pedido.ItensRecusados.contains(item)) {
            valor += Banco::MoedaDe(q.value(1));
            if (q.isNull(3)) minimo += Banco::MoedaDe(q.value(1));
        }
        pago = Banco::MoedaDe(q.value(2));
    }
    for (const qint32 item : pedido.ItensRecusados)
        if (!itens.contains(item))
            Objetos::Rejeitar(QStringLiteral("ItensRecusados"),
                              QStringLiteral("O item %1 não é do orçamento %2.")
                                  .arg(QString::number(item), QString::number(gravado.Numero)));
    if (itens.isEmpty() ||
        QSet<qint32>(pedido.ItensRecusados.cbegin(), pedido.ItensRecusados.cend()).size() >= itens.size())
        Objetos::Rejeitar(QStringLiteral("ItensRecusados"),
                          QStringLiteral("Nenhum item do orçamento %1 ficou aprovado: registre a recusa do "
                                         "orçamento.")
                              .arg(gravado.Numero));
    if (pago > valor)
        Objetos::Rejeitar(
            QStringLiteral("ItensRecusados"),
            QStringLiteral("Já foram pagos %1 do orçamento %2, mais que os %3 aprovados: estorne "
                           "o excesso antes de aprovar.")
                .arg(Textos::EmReais(pago), QString::number(gravado.Numero), Textos::EmReais(valor)));
    const QDateTime carimbo = GravacaoDeOrcamentos::CarimboSeguinte(gravado);
    Banco::ExecutarComOProximo(
        QStringLiteral("UPDATE Orcamentos SET DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = ? WHERE "
                       "NumeroDoOrcamento = ?"),
        {Banco::DataEHoraIso(carimbo), usuario, gravado.Numero});
    EtapasDoOrcamento::Dados dados;
    dados.Etapa = *destino;
    dados.Quando = carimbo;
    dados.Usuario = usuario;
    dados.Responsavel = pedido.Responsavel;
    dados.Meio = pedido.Meio;
    EtapasDoOrcamento::Gravar(gravado.Numero, dados);
    Banco::ExecutarComOProximo(
        QStringLiteral(
            "INSERT INTO AprovacoesDoOrcamento (NumeroDoOrcamento, DataEHora, Usuario, Responsavel, "
            "CPF, Meio, Assinatura, ItensRecusados, ValorAprovado, ValorAprovadoMinimo, VersaoAprovada) "
            "VALUES "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {gravado.Numero, Banco::DataEHoraIso(carimbo), usuario, pedido.Responsavel, pedido.CPF, pedido.Meio,
         pedido.Assinatura.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                     : QVariant(pedido.Assinatura),
         TextoDosItens(pedido.ItensRecusados), Banco::Moeda(valor), Banco::Moeda(minimo),
         GravacaoDeOrcamentos::TextoDaDataEHora(gravado.Alteracao.isValid() ? gravado.Alteracao
                                                                            : gravado.Inclusao)});
    Historico::Registrar(gravado.Numero, operacao == Operacao::Aprovacao ? Op::Aprovado : Op::AprovadoEmParte,
                         usuario);
    return carimbo;
}

void DesfazerNaAlteracao(const GravacaoDeOrcamentos::OrcamentoGravado& gravado, const QString& usuario,
                         const QDateTime& quando) {
    // The entry first: its copy is the quote as it was approved.
    Historico::Registrar(gravado.Numero, Op::AprovacaoDesfeita, usuario);
    EncerrarEmVigor(gravado.Numero, usuario, quando);
    EtapasDoOrcamento::VoltarAntesDaResposta(gravado.Numero, usuario, quando);
}

void EncerrarEmVigor(qint64 numero, const QString& usuario, const QDateTime& quando) {
    Banco::ExecutarComOProximo(
        QStringLiteral("UPDATE AprovacoesDoOrcamento SET DataEHoraDesfeita = ?, UsuarioQueDesfez = ? WHERE "
                       "NumeroDoOrcamento = ? AND DataEHoraDesfeita IS NULL"),
        {Banco::DataEHoraIso(quando), usuario, numero});
}

QString AvisoAntesDeAlterar(qint64 numero) {
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT Responsavel, DataEHora FROM AprovacoesDoOrcamento WHERE "
                                       "NumeroDoOrcamento = ? AND DataEHoraDesfeita IS NULL"),
                        {numero});
    const bool achou = q.next();
    return QStringLiteral("O orçamento %1 foi aprovado por %2 em %3; alterá-lo desfaz a aprovação.")
        .arg(QString::number(numero), achou ? q.value(0).toString() : QStringLiteral("o cliente"),
             achou ? Banco::DataEHoraDeIso(q.value(1).toString()).toString(QStringLiteral("dd/MM/yyyy"))
                   : QStringLiteral("data não registrada"));
}

bool TemPagamentos(qint64 numero) {
    return Banco::Valor(QStringLiteral("SELECT 1 FROM PagamentosDoOrcamento WHERE NumeroDoOrcamento = ?"),
                        {numero})
        .isValid();
}

void CriarEsquema(const Dialeto& dialeto) {
    Banco::ExecutarTodos({
        dialeto.Ddl(
            QStringLiteral("CREATE TABLE IF NOT EXISTS AprovacoesDoOrcamento (NumeroDaAprovacao {CHAVE}, "
                           "NumeroDoOrcamento {INTEIRO} NOT NULL REFERENCES Orcamentos (NumeroDoOrcamento) "
                           "ON DELETE CASCADE, "
                           "DataEHora TEXT NOT NULL, Usuario TEXT NOT NULL, Responsavel TEXT NOT NULL, "
                           "CPF TEXT NOT NULL DEFAULT '', Meio TEXT NOT NULL, Assinatura {BINARIO}, "
                           "ItensRecusados TEXT NOT NULL DEFAULT '', ValorAprovado {INTEIRO} NOT NULL, "
                           "VersaoAprovada TEXT NOT NULL, DataEHoraDesfeita TEXT, UsuarioQueDesfez TEXT)")),
        // One approval in force per quote, found by its quote.
        QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS AprovacoesDoOrcamento_EmVigor ON AprovacoesDoOrcamento "
            "(NumeroDoOrcamento) WHERE DataEHoraDesfeita IS NULL"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS AprovacoesDoOrcamento_Orcamento ON AprovacoesDoOrcamento "
                       "(NumeroDoOrcamento, NumeroDaAprovacao)"),
        // No cascade: payments are money on record; the quote is refused deletion.
        dialeto.Ddl(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS PagamentosDoOrcamento (NumeroDoPagamento {CHAVE}, "
            "NumeroDoOrcamento {INTEIRO} NOT NULL REFERENCES Orcamentos (NumeroDoOrcamento), "
            "DataEHora TEXT NOT NULL, Usuario TEXT NOT NULL, Valor {INTEIRO} NOT NULL CHECK (Valor <> 0), "
            "Forma TEXT NOT NULL, IdDaTransacao TEXT NOT NULL DEFAULT '', "
            "EstornoDe {INTEIRO} REFERENCES PagamentosDoOrcamento (NumeroDoPagamento), "
            "Motivo TEXT NOT NULL DEFAULT '')")),
        QStringLiteral("CREATE INDEX IF NOT EXISTS PagamentosDoOrcamento_Orcamento ON PagamentosDoOrcamento "
                       "(NumeroDoOrcamento, NumeroDoPagamento)"),
        // A payment is reversed once.
        QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS PagamentosDoOrcamento_Estorno ON PagamentosDoOrcamento "
            "(EstornoDe) WHERE EstornoDe IS NOT NULL"),
    });
}

void GuardarValorMinimo(const Dialeto& dialeto) {
    // A database set back to an older version runs this again: the column may be there.
    // PostgreSQL says so in the statement itself, held for the migration's next message;
    // SQLite is asked (under a savepoint, as a failed statement is expected).
    if (!dialeto.EhSQLite()) {
        Banco::ExecutarComOProximo(
            dialeto.Ddl(QStringLiteral("ALTER TABLE AprovacoesDoOrcamento ADD COLUMN IF NOT EXISTS "
                                       "ValorAprovadoMinimo {INTEIRO}")),
            {});
        return;
    }
    Banco::Executar(QStringLiteral("SAVEPOINT ValorMinimo"));
    try {
        Banco::Executar(QStringLiteral("SELECT ValorAprovadoMinimo FROM AprovacoesDoOrcamento WHERE 1 = 0"));
        return;
    } catch (const Banco::FalhaDeBanco& falha) {
        if (falha.Natureza() != Dialeto::Natureza::Comum) throw;
        Banco::Executar(QStringLiteral("ROLLBACK TO SAVEPOINT ValorMinimo"));
    }
    Banco::Executar(dialeto.Ddl(
        QStringLiteral("ALTER TABLE AprovacoesDoOrcamento ADD COLUMN ValorAprovadoMinimo {INTEIRO}")));
}

} // namespace AprovacaoDoOrcamento

namespace Objetos {
namespace {

const QList<CampoDaConsulta> CamposDosPagamentos{
    {QStringLiteral("NumeroDoPagamento"), QStringLiteral("NumeroDoPagamento"), TipoDoCampo::Double},
    {QStringLiteral("DataEHora"), QStringLiteral("DataEHora"), TipoDoCampo::DataEHora},
    {QStringLiteral("Usuario"), QStringLiteral("Usuario"), TipoDoCampo::Texto},
    {QStringLiteral("Valor"), QStringLiteral("Valor"), TipoDoCampo::Moeda},
    {QStringLiteral("Forma"), QStringLiteral("Forma"), TipoDoCampo::Texto},
    {QStringLiteral("IdDaTransacao"), QStringLiteral("IdDaTransacao"), TipoDoCampo::Texto},
    {QStringLiteral("EstornoDe"), QStringLiteral("EstornoDe"), TipoDoCampo::Double},
    {QStringLiteral("Motivo"), QStringLiteral("Motivo"), TipoDoCampo::Texto},
};

constexpr qsizetype TamanhoMaximoDoNome = 100;
constexpr qsizetype TamanhoMaximoDoIdDaTransacao = 35;

class clsAprovacaoDoOrcamentoNoBanco final
    : public Implementacao<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento> {
public:
    clsAprovacaoDoOrcamentoNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsAprovacaoDoOrcamento")) {}

    qint16 Ler(double numero) override {
        return Estado("Ler", [&] {
            const auto codigo = CodigoDoDouble(numero);
            QSqlQuery q = Banco::Executar(
                QStringLiteral(
                    "SELECT o.DataDeValidadeDoOrcamento, o.DataEHoraDaAlteracao, e.Etapa, a.Responsavel, "
                    "a.CPF, "
                    "a.Meio, a.Usuario, a.DataEHora, a.Assinatura, a.ItensRecusados, a.ValorAprovado, "
                    "(SELECT COALESCE(SUM(p.Valor), 0) FROM PagamentosDoOrcamento p WHERE "
                    "p.NumeroDoOrcamento = "
                    "o.NumeroDoOrcamento), (SELECT MAX(p.DataEHora) FROM PagamentosDoOrcamento p WHERE "
                    "p.NumeroDoOrcamento = o.NumeroDoOrcamento), c.NomeOuRazaoSocial, "
                    "COALESCE(a.ValorAprovadoMinimo, a.ValorAprovado) FROM Orcamentos o JOIN "
                    "Clientes c ON c.CodigoDoCliente = o.CodigoDoCliente LEFT JOIN EtapasDoOrcamento e "
                    "ON e.NumeroDoOrcamento = o.NumeroDoOrcamento LEFT JOIN AprovacoesDoOrcamento a ON "
                    "a.NumeroDoOrcamento = o.NumeroDoOrcamento AND a.DataEHoraDesfeita IS NULL WHERE "
                    "o.NumeroDoOrcamento = ?"),
                {codigo ? *codigo : qint64(-1)});
            const EtapasDoOrcamento::EtapaLida lida = EtapasDoOrcamento::LerEtapa(q, q.next(), numero);
            EtapaDoOrcamento = lida.Etapa;
            DataEHoraDaAlteracaoLida = lida.DataEHoraDaAlteracao;
            Aprovado = !q.isNull(10);
            Responsavel = q.value(3).toString();
            CPF = q.value(4).toString();
            Meio = q.value(5).toString();
            UsuarioDaAprovacao = q.value(6).toString();
            DataEHoraDaAprovacao = Aprovado ? Banco::DataEHoraDeIso(q.value(7).toString()) : QDateTime();
            Assinatura = q.value(8).toByteArray();
            ItensRecusados.clear();
            for (const QString& item : q.value(9).toString().split(u',', Qt::SkipEmptyParts))
                ItensRecusados << item.toInt();
            ValorAprovado = Banco::MoedaDe(q.value(10));
            ValorAprovadoMinimo = Banco::MoedaDe(q.value(14));
            ValorPago = Banco::MoedaDe(q.value(11));
            DataEHoraDoUltimoPagamento =
                q.isNull(12) ? QDateTime() : Banco::DataEHoraDeIso(q.value(12).toString());
            NomeDoCliente = q.value(13).toString();
        });
    }

    qint16 Aprovar(double numero, const QList<qint32>& recusados, const QString& quem, const QString& cpf,
                   const QString& como, const QByteArray& assinatura) override {
        return Estado(
            "Aprovar",
            [&] {
                const QString usuario = Usuario();
                const AprovacaoDoOrcamento::Pedido pedido{recusados, quem.trimmed(), cpf.trimmed(), como,
                                                          assinatura};
                Validar(pedido);
                Banco::UnidadeDeTrabalho unidade;
                const auto gravado = GravacaoDeOrcamentos::LerParaAtualizar(
                    numero, DataEHoraDaAlteracaoLida, QStringLiteral("O orçamento não foi aprovado"));
                const QDateTime carimbo = AprovacaoDoOrcamento::Aprovar(gravado, pedido, usuario);
                unidade.Confirmar();
                DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
            },
            &NomeDoCampoValidado);
    }

    qint16 DesfazerAprovacao(double numero) override {
        return Estado("DesfazerAprovacao", [&] {
            const QString usuario = Usuario();
            Banco::UnidadeDeTrabalho unidade;
            const auto gravado = GravacaoDeOrcamentos::LerParaAtualizar(
                numero, DataEHoraDaAlteracaoLida, QStringLiteral("A aprovação não foi desfeita"));
            if (!AprovacaoDoOrcamento::EstaAprovado(gravado.Etapa))
                Recusar(EtapasDoOrcamento::MensagemDeRecusa(
                    gravado.Numero, EtapasDoOrcamento::Operacao::DesfazerAprovacao,
                    EtapasDoOrcamento::EtapaMostrada(gravado.Etapa, gravado.Validade, Relogio::Hoje())));
            const QDateTime carimbo = GravacaoDeOrcamentos::CarimboSeguinte(gravado);
            Banco::ExecutarComOProximo(QStringLiteral("UPDATE Orcamentos SET DataEHoraDaAlteracao = ?, "
                                                      "UsuarioDaAlteracao = ? WHERE NumeroDoOrcamento = ?"),
                                       {Banco::DataEHoraIso(carimbo), usuario, gravado.Numero});
            AprovacaoDoOrcamento::DesfazerNaAlteracao(gravado, usuario, carimbo);
            unidade.Confirmar();
            DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
        });
    }

    qint16 RegistrarPagamento(double numero, VB::Currency valor, const QString& forma,
                              const QString& idDaTransacao) override {
        NumeroGerado = 0;
        return Estado(
            "RegistrarPagamento",
            [&] {
                const QString usuario = Usuario();
                const QString id = idDaTransacao.trimmed();
                ValidarPagamento(valor, forma, id);
                Banco::UnidadeDeTrabalho unidade;
                // The quote locked: two payments at once are summed one after the other.
                const auto gravado = GravacaoDeOrcamentos::LerTravado(
                    numero, QStringLiteral("O pagamento não foi registrado"));
                if (!AprovacaoDoOrcamento::EstaAprovado(gravado.Etapa) &&
                    gravado.Etapa != ZELT_N_Orcamentos::Etapa::Concluido)
                    Recusar(QStringLiteral("O orçamento %1 não está aprovado: registre a aprovação antes do "
                                           "pagamento.")
                                .arg(gravado.Numero));
                QSqlQuery q = Banco::Executar(
                    QStringLiteral(
                        "SELECT (SELECT ValorAprovado FROM AprovacoesDoOrcamento WHERE NumeroDoOrcamento "
                        "= ? AND DataEHoraDesfeita IS NULL), (SELECT COALESCE(SUM(Valor), 0) FROM "
                        "PagamentosDoOrcamento WHERE NumeroDoOrcamento = ?)"),
                    {gravado.Numero, gravado.Numero});
                q.next();
                const VB::Currency aprovado = Banco::MoedaDe(q.value(0));
                const VB::Currency pago = Banco::MoedaDe(q.value(1));
                if (pago + valor > aprovado)
                    Rejeitar(
                        QStringLiteral("Valor"),
                        QStringLiteral("O pagamento de %1 passa do valor aprovado: foram aprovados %2 e já "
                                       "foram pagos %3; falta pagar %4.")
                            .arg(Textos::EmReais(valor), Textos::EmReais(aprovado), Textos::EmReais(pago),
                                 Textos::EmReais(aprovado - pago)));
                NumeroGerado =
                    static_cast<double>(Inserir(gravado.Numero, usuario, valor, forma, id, {}, {}));
                unidade.Confirmar();
            },
            &NomeDoCampoValidado);
    }

    qint16 EstornarPagamento(double numeroDoPagamento, const QString& motivo) override {
        NumeroGerado = 0;
        return Estado(
            "EstornarPagamento",
            [&] {
                const QString usuario = Usuario();
                if (!DadosDoUsuario->property("Administrador").toBool())
                    Recusar(QStringLiteral("Só um administrador pode estornar um pagamento."));
                if (motivo.trimmed().isEmpty())
                    Rejeitar(QStringLiteral("Motivo"), QStringLiteral("Informe o motivo do estorno."));
                const auto codigo = CodigoDoDouble(numeroDoPagamento);
                Banco::UnidadeDeTrabalho unidade;
                QSqlQuery q = Banco::Executar(
                    QStringLiteral(
                        "SELECT p.NumeroDoOrcamento, p.Valor, p.Forma, p.EstornoDe, (SELECT 1 FROM "
                        "PagamentosDoOrcamento x WHERE x.EstornoDe = p.NumeroDoPagamento) FROM "
                        "PagamentosDoOrcamento p WHERE p.NumeroDoPagamento = ?"),
                    {codigo ? *codigo : qint64(-1)});
                if (!q.next())
                    Rejeitar(QStringLiteral("NumeroDoPagamento"),
                             QStringLiteral("O pagamento %1 não está registrado.")
                                 .arg(VB::CStr(numeroDoPagamento)));
                if (!q.isNull(3) || !q.isNull(4))
                    Rejeitar(QStringLiteral("NumeroDoPagamento"),
                             QStringLiteral("O pagamento %1 já é um estorno ou já foi estornado.")
                                 .arg(VB::CStr(numeroDoPagamento)));
                NumeroGerado =
                    static_cast<double>(Inserir(q.value(0).toLongLong(), usuario, -Banco::MoedaDe(q.value(1)),
                                                q.value(2).toString(), {}, *codigo, motivo.trimmed()));
                unidade.Confirmar();
            },
            &NomeDoCampoValidado);
    }

    QVariant SelecionarPagamentos(double numero) override {
        return Selecao("SelecionarPagamentos", [&] {
            const auto codigo = CodigoDoDouble(numero);
            return Consultar({CamposDosPagamentos,
                              QStringLiteral("FROM PagamentosDoOrcamento WHERE NumeroDoOrcamento = ?"),
                              {codigo ? *codigo : qint64(-1)},
                              QStringLiteral("NumeroDoPagamento")},
                             0);
        });
    }

private:
    QString Usuario() const {
        if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        return DadosDoUsuario->property("NomeDoUsuario").toString();
    }

    static void Validar(const AprovacaoDoOrcamento::Pedido& p) {
        if (p.Responsavel.isEmpty())
            Rejeitar(QStringLiteral("Quem"), QStringLiteral("Informe quem aprovou o orçamento."));
        if (p.Responsavel.size() > TamanhoMaximoDoNome)
            Rejeitar(
                QStringLiteral("Quem"),
                QStringLiteral("O nome de quem aprovou passa de %1 caracteres.").arg(TamanhoMaximoDoNome));
        if (!p.CPF.isEmpty() && !Textos::CpfValido(p.CPF))
            Rejeitar(QStringLiteral("CPF"),
                     QStringLiteral("O CPF %1 não é válido: confira os dígitos.").arg(p.CPF));
        if (!ZELT_N_Orcamentos::MeiosDeAprovacao.contains(p.Meio))
            Rejeitar(QStringLiteral("Como"),
                     p.Meio.trimmed().isEmpty()
                         ? QStringLiteral("Informe como o orçamento foi aprovado.")
                         : QStringLiteral("O meio de aprovação \"%1\" não é conhecido.").arg(p.Meio));
        if (p.Meio == ZELT_N_Orcamentos::AprovacaoPresencial && p.Assinatura.isEmpty())
            Rejeitar(QStringLiteral("Assinatura"),
                     QStringLiteral("Na aprovação presencial, peça ao cliente que assine no quadro."));
        if (!p.Assinatura.isEmpty() && !p.Assinatura.startsWith("\x89PNG\r\n\x1a\n"))
            Rejeitar(QStringLiteral("Assinatura"), QStringLiteral("A assinatura não é uma imagem PNG."));
        if (p.Assinatura.size() > ZELT_N_Orcamentos::TamanhoMaximoDaAssinatura)
            Rejeitar(
                QStringLiteral("Assinatura"),
                QStringLiteral("A assinatura tem %1 KB; o máximo é %2 KB: limpe o quadro e assine de novo.")
                    .arg(QString::number((p.Assinatura.size() + 1023) / 1024),
                         QString::number(ZELT_N_Orcamentos::TamanhoMaximoDaAssinatura / 1024)));
    }

    static void ValidarPagamento(VB::Currency valor, const QString& forma, const QString& id) {
        if (valor <= VB::Currency())
            Rejeitar(QStringLiteral("Valor"),
                     QStringLiteral("O valor do pagamento deve ser maior que zero."));
        if (!ZELT_N_Orcamentos::FormasDePagamento.contains(forma))
            Rejeitar(QStringLiteral("Forma"),
                     QStringLiteral("A forma de pagamento \"%1\" não é conhecida.").arg(forma));
        static const QRegularExpression letrasEDigitos(QStringLiteral("^[A-Za-z0-9]*$"));
        if (forma == ZELT_N_Orcamentos::PagamentoPorPix &&
            (id.isEmpty() || id.size() > TamanhoMaximoDoIdDaTransacao ||
             !letrasEDigitos.match(id).hasMatch()))
            Rejeitar(QStringLiteral("IdDaTransacao"),
                     QStringLiteral("Informe o identificador da transação Pix (até %1 letras e dígitos, como "
                                    "aparece no comprovante).")
                         .arg(TamanhoMaximoDoIdDaTransacao));
    }

    static qint64 Inserir(qint64 numero, const QString& usuario, VB::Currency valor, const QString& forma,
                          const QString& id, const QVariant& estornoDe, const QString& motivo) {
        return Banco::InserirComChave(
            QStringLiteral("INSERT INTO PagamentosDoOrcamento (NumeroDoOrcamento, DataEHora, Usuario, Valor, "
                           "Forma, IdDaTransacao, EstornoDe, Motivo) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            {numero, Banco::DataEHoraIso(Relogio::Agora()), usuario, Banco::Moeda(valor), forma, id,
             estornoDe.isValid() ? estornoDe : QVariant(QMetaType(QMetaType::LongLong)), motivo},
            QStringLiteral("NumeroDoPagamento"));
    }
};

} // namespace

std::unique_ptr<QObject> NovoAprovacaoDoOrcamento() {
    return std::make_unique<clsAprovacaoDoOrcamentoNoBanco>();
}

} // namespace Objetos
