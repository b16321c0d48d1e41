// ZELT_N_Orcamentos.clsPacotesDeProcedimentos and what a quote keeps of its packages
// (PacotesDeProcedimentos.h).

#include "business/PacotesDeProcedimentos.h"

#include "business/Banco.h"
#include "business/Objetos.h"
#include "business/PrecosDoCadastro.h"
#include "contracts/Textos.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

namespace PacotesDeProcedimentos {
namespace {

using GradeDeItens::LancamentoDeProduto;
using GradeDeItens::LancamentoDeServico;
using ZELT_N_Orcamentos::ItemDoPacote;

// A registry item named by launch type and code.
GravacaoDeOrcamentos::Item ItemDe(qint32 tipoDeLancamento, qint64 codigo) {
    GravacaoDeOrcamentos::Item item;
    item.TipoDeLancamento = tipoDeLancamento;
    item.Codigo = codigo;
    return item;
}

// The heaviest animal a clinic of dogs and cats weighs (a larger number is a typing slip).
using Textos::PesoMaximo;

QString TextoDoItem(const ItemDoPacote& item) {
    const QString tipo = item.TipoDeLancamento == LancamentoDeServico ? QStringLiteral("o serviço %1")
                                                                      : QStringLiteral("o produto %1");
    return tipo.arg(item.Codigo);
}

// The animal's registered species as one of the packages' species: the words a clinic
// writes for a dog or a cat, ignoring case and accents; empty when it names neither.
QString EspecieDoAnimal(const QString& especie) {
    static const QSet<QString> caes{QStringLiteral("cao"),      QStringLiteral("caes"),
                                    QStringLiteral("cachorro"), QStringLiteral("cachorra"),
                                    QStringLiteral("cadela"),   QStringLiteral("canino"),
                                    QStringLiteral("canina"),   QStringLiteral("canis familiaris")};
    static const QSet<QString> gatos{QStringLiteral("gato"), QStringLiteral("gata"), QStringLiteral("felino"),
                                     QStringLiteral("felina"), QStringLiteral("felis catus")};
    const QString texto = Banco::TextoDePesquisa(especie).trimmed();
    if (caes.contains(texto)) return ZELT_N_Orcamentos::EspecieCao;
    if (gatos.contains(texto)) return ZELT_N_Orcamentos::EspecieGato;
    return texto;
}

// Packages, their bands and items, read with one statement in name, band and item order.
QList<PacoteDeProcedimentos> Carregar(const QString& condicao, const QVariantList& parametros) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral("SELECT p.Codigo, p.Nome, p.Especie, f.NumeroDaFaixa, f.PesoInicial, f.PesoFinal, "
                       "i.TipoDeLancamento, i.Codigo, i.Quantidade, i.SeNecessario, COALESCE(s.Nome, "
                       "pr.Nome, '') FROM PacotesDeProcedimentos p LEFT JOIN FaixasDosPacotes f ON "
                       "f.CodigoDoPacote = p.Codigo LEFT JOIN ItensDosPacotes i ON i.CodigoDoPacote = "
                       "f.CodigoDoPacote AND i.NumeroDaFaixa = f.NumeroDaFaixa LEFT JOIN Servicos s ON "
                       "i.TipoDeLancamento = 1 AND s.Codigo = i.Codigo LEFT JOIN Produtos pr ON "
                       "i.TipoDeLancamento = 2 AND pr.CodigoInterno = i.Codigo WHERE ") +
            condicao + QStringLiteral(" ORDER BY p.Nome, p.Codigo, f.NumeroDaFaixa, i.NumeroDoItem"),
        parametros);
    QList<PacoteDeProcedimentos> pacotes;
    qint64 faixaAtual = -1;
    while (q.next()) {
        const qint64 codigo = q.value(0).toLongLong();
        if (pacotes.isEmpty() || pacotes.constLast().Codigo != codigo) {
            pacotes.append({codigo, q.value(1).toString(), q.value(2).toString(), {}});
            faixaAtual = -1;
        }
        PacoteDeProcedimentos& pacote = pacotes.last();
        if (q.value(3).isNull()) continue;
        if (q.value(3).toLongLong() != faixaAtual) {
            pacote.Faixas.append({Banco::MoedaDe(q.value(4)), Banco::MoedaDe(q.value(5)), {}});
            faixaAtual = q.value(3).toLongLong();
        }
        if (q.value(6).isNull()) continue;
        pacote.Faixas.last().Itens.append({q.value(6).toInt(), q.value(7).toLongLong(),
                                           Banco::MoedaDe(q.value(8)), q.value(9).toInt() == 1,
                                           q.value(10).toString()});
    }
    return pacotes;
}

// Refuses an item the registry does not know (an inactive one may stay: it is named and
// left out when the package is used, and the clinic may turn it active again).
void VerificarCadastro(const PacoteDeProcedimentos& pacote) {
    QSet<qint64> servicos, produtos;
    for (const FaixaDePeso& faixa : pacote.Faixas)
        for (const ItemDoPacote& item : faixa.Itens)
            (item.TipoDeLancamento == LancamentoDeServico ? servicos : produtos).insert(item.Codigo);
    QList<GravacaoDeOrcamentos::Item> itens;
    for (const qint64 codigo : servicos)
        itens.append(ItemDe(LancamentoDeServico, codigo));
    for (const qint64 codigo : produtos)
        itens.append(ItemDe(LancamentoDeProduto, codigo));
    const PrecosDoCadastro::Precos precos = PrecosDoCadastro::LerPrecos(itens);
    for (const FaixaDePeso& faixa : pacote.Faixas)
        for (const ItemDoPacote& item : faixa.Itens)
            if (!precos.De(ItemDe(item.TipoDeLancamento, item.Codigo)))
                Objetos::Rejeitar(QStringLiteral("Itens"), QStringLiteral("Faixa %1: %2 não está cadastrado.")
                                                               .arg(TextoDaFaixa(faixa), TextoDoItem(item)));
}

} // namespace

void CriarEsquema(const Dialeto& dialeto) {
    // Weights and quantities as ten-thousandths, like money. The packages' items name a
    // service or a product by code with no foreign key (one column for either); a code
    // the registry lost is named and left out when the package is used. "IF NOT EXISTS":
    // a database set back to an older version runs it again.
    QStringList comandos{
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS PacotesDeProcedimentos (Codigo {CHAVE}, Nome TEXT NOT NULL, "
            "NomeNormalizado TEXT NOT NULL UNIQUE, Especie TEXT NOT NULL DEFAULT '' CHECK "
            "(Especie IN ('', 'Cão', 'Gato')))"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS FaixasDosPacotes (CodigoDoPacote {INTEIRO} NOT NULL "
            "REFERENCES PacotesDeProcedimentos (Codigo) ON DELETE CASCADE, NumeroDaFaixa {INTEIRO} "
            "NOT NULL, PesoInicial {INTEIRO} NOT NULL, PesoFinal {INTEIRO} NOT NULL, CHECK "
            "(PesoInicial >= 0 AND PesoFinal > PesoInicial), PRIMARY KEY (CodigoDoPacote, "
            "NumeroDaFaixa))"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS ItensDosPacotes (CodigoDoPacote {INTEIRO} NOT NULL, "
            "NumeroDaFaixa {INTEIRO} NOT NULL, NumeroDoItem {INTEIRO} NOT NULL, TipoDeLancamento "
            "{INTEIRO} NOT NULL CHECK (TipoDeLancamento IN (1, 2)), Codigo {INTEIRO} NOT NULL, "
            "Quantidade {INTEIRO} NOT NULL CHECK (Quantidade > 0), SeNecessario {INTEIRO} NOT NULL "
            "DEFAULT 0 CHECK (SeNecessario IN (0, 1)), PRIMARY KEY (CodigoDoPacote, NumeroDaFaixa, "
            "NumeroDoItem), FOREIGN KEY (CodigoDoPacote, NumeroDaFaixa) REFERENCES "
            "FaixasDosPacotes (CodigoDoPacote, NumeroDaFaixa) ON DELETE CASCADE)"),
        // The weight given with a quote, for its animal: the animal's last weight is its
        // newest quote's.
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS PesosDosOrcamentos (NumeroDoOrcamento {INTEIRO} PRIMARY KEY "
            "REFERENCES Orcamentos (NumeroDoOrcamento) ON DELETE CASCADE, CodigoDoAnimal {INTEIRO} "
            "NOT NULL REFERENCES Animais (Codigo) ON DELETE CASCADE, Peso {INTEIRO} NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS PesosDosOrcamentos_Animal ON PesosDosOrcamentos "
                       "(CodigoDoAnimal, NumeroDoOrcamento)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS ItensSeNecessario (NumeroDoOrcamento {INTEIRO} NOT NULL, "
                       "NumeroDoItemDoOrcamento {INTEIRO} NOT NULL, PRIMARY KEY (NumeroDoOrcamento, "
                       "NumeroDoItemDoOrcamento), FOREIGN KEY (NumeroDoOrcamento, NumeroDoItemDoOrcamento) "
                       "REFERENCES ItensDeOrcamento (NumeroDoOrcamento, NumeroDoItemDoOrcamento) ON DELETE "
                       "CASCADE)"),
    };
    // Held and sent with the migration's next statement (the version's row): a new
    // database costs no round trip more for them.
    for (const QString& comando : comandos)
        Banco::ExecutarComOProximo(dialeto.Ddl(comando), {});
}

QString TextoDoPeso(VB::Currency peso) {
    QString texto = VB::Format(QVariant::fromValue(peso), QStringLiteral("#,##0.000"));
    while (texto.endsWith(u'0'))
        texto.chop(1);
    if (texto.endsWith(u',')) texto.chop(1);
    return texto;
}

QString TextoDaFaixa(const FaixaDePeso& faixa) {
    if (faixa.PesoInicial == VB::Currency())
        return QStringLiteral("até %1 kg").arg(TextoDoPeso(faixa.PesoFinal));
    return QStringLiteral("de %1 a %2 kg").arg(TextoDoPeso(faixa.PesoInicial), TextoDoPeso(faixa.PesoFinal));
}

std::optional<VB::Currency> PesoDigitado(const QString& texto) {
    return Textos::PesoDigitado(texto);
}

QString ProblemaDoPacote(const PacoteDeProcedimentos& pacote) {
    if (pacote.Nome.trimmed().isEmpty()) return QStringLiteral("Informe o nome do pacote.");
    if (pacote.Nome.trimmed().size() > 100)
        return QStringLiteral("O nome do pacote tem mais de 100 caracteres.");
    if (!pacote.Especie.isEmpty() && pacote.Especie != ZELT_N_Orcamentos::EspecieCao &&
        pacote.Especie != ZELT_N_Orcamentos::EspecieGato)
        return QStringLiteral("A espécie do pacote deve ser Cão, Gato ou nenhuma (qualquer espécie).");
    if (pacote.Faixas.isEmpty()) return QStringLiteral("Inclua ao menos uma faixa de peso no pacote.");
    QList<FaixaDePeso> faixas = pacote.Faixas;
    std::sort(faixas.begin(), faixas.end(),
              [](const FaixaDePeso& a, const FaixaDePeso& b) { return a.PesoInicial < b.PesoInicial; });
    for (qsizetype i = 0; i < faixas.size(); ++i) {
        const FaixaDePeso& faixa = faixas.at(i);
        if (faixa.PesoInicial < VB::Currency() || faixa.PesoFinal <= faixa.PesoInicial ||
            faixa.PesoFinal > PesoMaximo)
            return QStringLiteral("A faixa de %1 a %2 kg não é válida: o peso final deve ser maior que o "
                                  "inicial, e os pesos de 0 a 1.000 kg.")
                .arg(TextoDoPeso(faixa.PesoInicial), TextoDoPeso(faixa.PesoFinal));
        if (i > 0) {
            const FaixaDePeso& anterior = faixas.at(i - 1);
            if (faixa.PesoInicial < anterior.PesoFinal)
                return QStringLiteral("As faixas %1 e %2 se sobrepõem: cada peso deve caber em uma só faixa.")
                    .arg(TextoDaFaixa(anterior), TextoDaFaixa(faixa));
            if (faixa.PesoInicial > anterior.PesoFinal)
                return QStringLiteral("Entre as faixas %1 e %2 há pesos sem faixa: a faixa seguinte deve "
                                      "começar onde a anterior termina.")
                    .arg(TextoDaFaixa(anterior), TextoDaFaixa(faixa));
        }
        if (faixa.Itens.isEmpty())
            return QStringLiteral("A faixa %1 não tem itens.").arg(TextoDaFaixa(faixa));
        for (const ItemDoPacote& item : faixa.Itens) {
            if (item.TipoDeLancamento != LancamentoDeServico && item.TipoDeLancamento != LancamentoDeProduto)
                return QStringLiteral("Faixa %1: um item deve ser um serviço ou um produto.")
                    .arg(TextoDaFaixa(faixa));
            if (item.Codigo <= 0)
                return QStringLiteral("Faixa %1: informe o código de cada item.").arg(TextoDaFaixa(faixa));
            const bool inteira = item.Quantidade.DecimosDeMilesimos() % 10000 == 0;
            if (item.Quantidade <= VB::Currency() || item.Quantidade > VB::Currency::DeInteiro(9999) ||
                (item.TipoDeLancamento == LancamentoDeServico && !inteira) ||
                item.Quantidade.DecimosDeMilesimos() % 10 != 0)
                return QStringLiteral("Faixa %1: a quantidade de %2 deve ser maior que 0 (inteira para um "
                                      "serviço, com até três casas para um produto).")
                    .arg(TextoDaFaixa(faixa), TextoDoItem(item));
        }
    }
    return {};
}

// (PesoInicial, PesoFinal]: the upper limit belongs to the band it ends, so "até 4 kg"
// holds 4 kg and "de 4 a 8 kg" begins just above it, as a clinic's price table reads.
const FaixaDePeso* FaixaDoPeso(const PacoteDeProcedimentos& pacote, VB::Currency peso) {
    for (const FaixaDePeso& faixa : pacote.Faixas)
        if (faixa.PesoInicial < peso && peso <= faixa.PesoFinal) return &faixa;
    return nullptr;
}

bool EspecieServe(const QString& especieDoPacote, const QString& especieDoAnimal) {
    // An animal whose species was never registered fits any package: the clinic knows it,
    // the registry does not, and refusing would only send the person to type items by hand.
    if (especieDoPacote.isEmpty() || especieDoAnimal.trimmed().isEmpty()) return true;
    return EspecieDoAnimal(especieDoAnimal) == especieDoPacote;
}

std::optional<PacoteDeProcedimentos> Ler(qint64 codigo) {
    const QList<PacoteDeProcedimentos> pacotes = Carregar(QStringLiteral("p.Codigo = ?"), {codigo});
    return pacotes.isEmpty() ? std::nullopt : std::optional(pacotes.constFirst());
}

std::optional<PacoteDeProcedimentos> LerPorNome(const QString& nome) {
    const QList<PacoteDeProcedimentos> pacotes =
        Carregar(QStringLiteral("p.NomeNormalizado = ?"), {Banco::TextoDePesquisa(nome.trimmed())});
    return pacotes.isEmpty() ? std::nullopt : std::optional(pacotes.constFirst());
}

QList<PacoteDeProcedimentos> Todos() {
    return Carregar(QStringLiteral("1 = 1"), {});
}

qint64 Gravar(const PacoteDeProcedimentos& recebido) {
    PacoteDeProcedimentos pacote = recebido;
    pacote.Nome = pacote.Nome.trimmed();
    if (const QString problema = ProblemaDoPacote(pacote); !problema.isEmpty())
        Objetos::Rejeitar(QStringLiteral("Pacote"), problema);
    VerificarCadastro(pacote);
    std::sort(pacote.Faixas.begin(), pacote.Faixas.end(),
              [](const FaixaDePeso& a, const FaixaDePeso& b) { return a.PesoInicial < b.PesoInicial; });
    const QString normalizado = Banco::TextoDePesquisa(pacote.Nome);
    const QVariant outro = Banco::Valor(
        QStringLiteral("SELECT Codigo FROM PacotesDeProcedimentos WHERE NomeNormalizado = ? AND Codigo <> ?"),
        {normalizado, pacote.Codigo});
    if (outro.isValid() && !outro.isNull())
        Objetos::Rejeitar(QStringLiteral("Nome"),
                          QStringLiteral("Já existe um pacote com o nome %1.").arg(pacote.Nome));
    qint64 codigo = pacote.Codigo;
    if (codigo == 0) {
        codigo = Banco::InserirComChave(
            QStringLiteral(
                "INSERT INTO PacotesDeProcedimentos (Nome, NomeNormalizado, Especie) VALUES (?, ?, ?)"),
            {pacote.Nome, normalizado, pacote.Especie}, QStringLiteral("Codigo"));
    } else {
        QSqlQuery q =
            Banco::Executar(QStringLiteral("UPDATE PacotesDeProcedimentos SET Nome = ?, NomeNormalizado "
                                           "= ?, Especie = ? WHERE Codigo = ?"),
                            {pacote.Nome, normalizado, pacote.Especie, codigo});
        if (q.numRowsAffected() != 1)
            Objetos::Recusar(QStringLiteral("O pacote %1 não está mais cadastrado.").arg(pacote.Nome));
        Banco::Executar(QStringLiteral("DELETE FROM FaixasDosPacotes WHERE CodigoDoPacote = ?"), {codigo});
    }
    for (qsizetype f = 0; f < pacote.Faixas.size(); ++f) {
        const FaixaDePeso& faixa = pacote.Faixas.at(f);
        Banco::ExecutarComOProximo(
            QStringLiteral("INSERT INTO FaixasDosPacotes (CodigoDoPacote, NumeroDaFaixa, "
                           "PesoInicial, PesoFinal) VALUES (?, ?, ?, ?)"),
            {codigo, f + 1, Banco::Moeda(faixa.PesoInicial), Banco::Moeda(faixa.PesoFinal)});
        for (qsizetype i = 0; i < faixa.Itens.size(); ++i) {
            const ItemDoPacote& item = faixa.Itens.at(i);
            Banco::ExecutarComOProximo(
                QStringLiteral(
                    "INSERT INTO ItensDosPacotes (CodigoDoPacote, NumeroDaFaixa, NumeroDoItem, "
                    "TipoDeLancamento, Codigo, Quantidade, SeNecessario) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {codigo, f + 1, i + 1, item.TipoDeLancamento, item.Codigo, Banco::Moeda(item.Quantidade),
                 item.SeNecessario ? 1 : 0});
        }
    }
    return codigo;
}

void GravarNoOrcamento(qint64 numeroDoOrcamento, qint64 codigoDoAnimal, std::optional<VB::Currency> peso,
                       const QList<qint64>& itensSeNecessario) {
    Banco::ExecutarComOProximo(QStringLiteral("DELETE FROM ItensSeNecessario WHERE NumeroDoOrcamento = ?"),
                               {numeroDoOrcamento});
    if (!itensSeNecessario.isEmpty()) {
        QVariantList parametros;
        for (const qint64 item : itensSeNecessario)
            parametros << numeroDoOrcamento << item;
        Banco::ExecutarComOProximo(
            QStringLiteral(
                "INSERT INTO ItensSeNecessario (NumeroDoOrcamento, NumeroDoItemDoOrcamento) VALUES ") +
                QStringList(itensSeNecessario.size(), QStringLiteral("(?, ?)")).join(QStringLiteral(", ")),
            parametros);
    }
    if (!peso || codigoDoAnimal <= 0) return;
    Banco::ExecutarComOProximo(QStringLiteral("DELETE FROM PesosDosOrcamentos WHERE NumeroDoOrcamento = ?"),
                               {numeroDoOrcamento});
    Banco::ExecutarComOProximo(
        QStringLiteral(
            "INSERT INTO PesosDosOrcamentos (NumeroDoOrcamento, CodigoDoAnimal, Peso) VALUES (?, ?, ?)"),
        {numeroDoOrcamento, codigoDoAnimal, Banco::Moeda(*peso)});
}

std::optional<Estimativa> EstimativaDoOrcamento(qint64 numeroDoOrcamento) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT o.ValorLiquido, COALESCE(SUM(i.ValorTotal), 0), COUNT(i.NumeroDoItemDoOrcamento) "
            "FROM Orcamentos o LEFT JOIN ItensSeNecessario m ON m.NumeroDoOrcamento = "
            "o.NumeroDoOrcamento LEFT JOIN ItensDeOrcamento i ON i.NumeroDoOrcamento = "
            "m.NumeroDoOrcamento AND i.NumeroDoItemDoOrcamento = m.NumeroDoItemDoOrcamento WHERE "
            "o.NumeroDoOrcamento = ? GROUP BY o.ValorLiquido"),
        {numeroDoOrcamento});
    if (!q.next()) return std::nullopt;
    const VB::Currency maximo = Banco::MoedaDe(q.value(0));
    return Estimativa{maximo - Banco::MoedaDe(q.value(1)), maximo, q.value(2).toInt()};
}

} // namespace PacotesDeProcedimentos

namespace Objetos {
namespace {

namespace P = PacotesDeProcedimentos;
using ZELT_N_Orcamentos::ItemDoPacote;

class clsPacotesDeProcedimentosNoBanco final
    : public Implementacao<ZELT_N_Orcamentos::clsPacotesDeProcedimentos> {
public:
    clsPacotesDeProcedimentosNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsPacotesDeProcedimentos")) {}

    QVariant Selecionar() override {
        return Selecao("Selecionar", [&]() -> RecordsetPtr {
            auto pacotes = std::make_shared<RecordsetEmMemoria>(
                QStringList{QStringLiteral("Codigo"), QStringLiteral("Nome"), QStringLiteral("Especie"),
                            QStringLiteral("Faixas")});
            for (const P::PacoteDeProcedimentos& pacote : P::Todos()) {
                QStringList faixas;
                for (const P::FaixaDePeso& faixa : pacote.Faixas)
                    faixas << P::TextoDaFaixa(faixa);
                pacotes->AdicionarLinha({pacote.Codigo, pacote.Nome, pacote.Especie, faixas.join(u"; ")});
            }
            return pacotes;
        });
    }

    qint16 Ler(qint64 llonCodigo) override {
        return Estado("Ler", [&] {
            const auto pacote = P::Ler(llonCodigo);
            if (!pacote) Recusar(QStringLiteral("O pacote %1 não está cadastrado.").arg(llonCodigo));
            Pacote = *pacote;
        });
    }

    qint16 Gravar() override {
        CodigoGerado = 0;
        return Estado("Gravar", [&] {
            ExigirAdministrador();
            Banco::UnidadeDeTrabalho unidade;
            const qint64 codigo = P::Gravar(Pacote);
            unidade.Confirmar();
            CodigoGerado = static_cast<double>(codigo);
        });
    }

    qint16 Excluir(qint64 llonCodigo) override {
        return Estado("Excluir", [&] {
            ExigirAdministrador();
            Banco::UnidadeDeTrabalho unidade;
            QSqlQuery q = Banco::Executar(
                QStringLiteral("DELETE FROM PacotesDeProcedimentos WHERE Codigo = ?"), {llonCodigo});
            if (q.numRowsAffected() != 1)
                Recusar(QStringLiteral("O pacote %1 não está cadastrado.").arg(llonCodigo));
            unidade.Confirmar();
        });
    }

    qint16 ItensParaOPeso(qint64 llonCodigoDoPacote, const QString& lstrPeso, double ldouCodigoDoCliente,
                          qint32 llonCodigoDoAnimal) override {
        ForaDoCadastro.clear();
        return Estado("ItensParaOPeso", [&] {
            mrstResultado.reset();
            ForaDoCadastro.clear();
            const auto peso = P::PesoDigitado(lstrPeso);
            if (!peso)
                Rejeitar(QStringLiteral("Peso"),
                         QStringLiteral("Informe o peso do animal em kg, maior que 0 e até "
                                        "1.000, com até três casas (por exemplo, 3,8)."));
            const auto pacote = P::Ler(llonCodigoDoPacote);
            if (!pacote) Recusar(QStringLiteral("O pacote %1 não está cadastrado.").arg(llonCodigoDoPacote));
            VerificarEspecie(*pacote, llonCodigoDoAnimal);
            const P::FaixaDePeso* faixa = P::FaixaDoPeso(*pacote, *peso);
            if (!faixa) {
                QStringList faixas;
                for (const P::FaixaDePeso& f : pacote->Faixas)
                    faixas << P::TextoDaFaixa(f);
                Rejeitar(
                    QStringLiteral("Peso"),
                    QStringLiteral("Nenhuma faixa do pacote %1 serve para %2 kg (%3). Nada foi adicionado.")
                        .arg(pacote->Nome, P::TextoDoPeso(*peso), faixas.join(QStringLiteral("; "))));
            }
            mrstResultado = ItensPrecificados(*faixa, CodigoDoDouble(ldouCodigoDoCliente).value_or(0));
        });
    }

    qint16 LerUltimoPeso(qint32 llonCodigoDoAnimal) override {
        UltimoPeso.clear();
        return Estado("LerUltimoPeso", [&] {
            const QVariant peso =
                Banco::Valor(QStringLiteral("SELECT Peso FROM PesosDosOrcamentos WHERE CodigoDoAnimal "
                                            "= ? ORDER BY NumeroDoOrcamento DESC LIMIT 1"),
                             {llonCodigoDoAnimal});
            UltimoPeso = peso.isValid() && !peso.isNull() ? P::TextoDoPeso(Banco::MoedaDe(peso)) : QString();
        });
    }

    qint16 LerEstimativa(double ldouNumeroDoOrcamento) override {
        ValorMinimo = ValorMaximo = VB::Currency();
        return Estado("LerEstimativa", [&] {
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            const auto estimativa = numero ? P::EstimativaDoOrcamento(*numero) : std::nullopt;
            if (!estimativa)
                Recusar(QStringLiteral("O orçamento %1 não está cadastrado.")
                            .arg(ldouNumeroDoOrcamento, 0, 'f', 0));
            ValorMinimo = estimativa->Minimo;
            ValorMaximo = estimativa->Maximo;
        });
    }

private:
    void ExigirAdministrador() const {
        if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        if (!DadosDoUsuario->property("Administrador").toBool())
            Recusar(QStringLiteral("Somente um administrador pode alterar os pacotes de procedimentos."));
    }

    static void VerificarEspecie(const P::PacoteDeProcedimentos& pacote, qint32 animal) {
        QSqlQuery q =
            Banco::Executar(QStringLiteral("SELECT Nome, Especie FROM Animais WHERE Codigo = ?"), {animal});
        if (!q.next()) Rejeitar(QStringLiteral("Animal"), QStringLiteral("Selecione o animal do pacote."));
        if (!P::EspecieServe(pacote.Especie, q.value(1).toString()))
            Rejeitar(
                QStringLiteral("Especie"),
                QStringLiteral("O pacote %1 é para a espécie %2, e %3 é da espécie %4. Nada foi adicionado.")
                    .arg(pacote.Nome, pacote.Especie, q.value(0).toString(),
                         q.value(1).toString().trimmed()));
    }

    // The band's items as the record form would add them now for the client; those the
    // registry no longer has active are named in ForaDoCadastro and left out.
    RecordsetPtr ItensPrecificados(const P::FaixaDePeso& faixa, qint64 cliente) {
        QList<GravacaoDeOrcamentos::Item> itens;
        for (const ItemDoPacote& item : faixa.Itens)
            itens.append(P::ItemDe(item.TipoDeLancamento, item.Codigo));
        const PrecosDoCadastro::Precos precos = PrecosDoCadastro::LerPrecos(itens);
        const PrecosDoCadastro::Descontos descontos = PrecosDoCadastro::LerDescontos(cliente);
        const auto registro = LerRegistro(faixa);
        auto resultado = std::make_shared<RecordsetEmMemoria>(
            QStringList{QStringLiteral("TipoDeLancamento"),
                        QStringLiteral("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto"),
                        QStringLiteral("CodigoDoServicoOuCodigoInternoDoProduto"),
                        QStringLiteral("NomeDoServicoOuNomeDoProduto"), QStringLiteral("Quantidade"),
                        QStringLiteral("ValorUnitario"), QStringLiteral("DescontoEmPercentual"),
                        QStringLiteral("DescontoEmValor"), QStringLiteral("ValorTotal"),
                        QStringLiteral("Custo"), QStringLiteral("SeNecessario")});
        QStringList fora;
        for (const ItemDoPacote& doPacote : faixa.Itens) {
            GravacaoDeOrcamentos::Item item = P::ItemDe(doPacote.TipoDeLancamento, doPacote.Codigo);
            const auto preco = precos.De(item);
            const bool servico = item.TipoDeLancamento == GradeDeItens::LancamentoDeServico;
            const auto linha = registro.constFind({item.TipoDeLancamento, item.Codigo});
            if (!preco || !preco->Ativo || linha == registro.cend()) {
                const QString nome =
                    doPacote.Nome.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(doPacote.Nome);
                fora << (servico ? QStringLiteral("Serviço %1%2") : QStringLiteral("Produto %1%2"))
                            .arg(QString::number(item.Codigo), nome);
                continue;
            }
            item.Quantidade = doPacote.Quantidade;
            item.NumeroDoTipoDeServico = servico ? linha->second.toInt() : 0;
            if (!servico) item.CodigoDeBarrasDoProduto = linha->second.toString();
            item = PrecosDoCadastro::ComoDigitadoHoje(item, *preco, descontos);
            resultado->AdicionarLinha(
                {item.TipoDeLancamento, linha->second, item.Codigo, linha->first,
                 QVariant::fromValue(item.Quantidade), QVariant::fromValue(item.ValorUnitario),
                 QVariant::fromValue(item.DescontoEmPercentual), QVariant::fromValue(item.DescontoEmValor),
                 QVariant::fromValue(item.ValorTotal), QVariant::fromValue(item.Custo),
                 doPacote.SeNecessario});
        }
        ForaDoCadastro = fora.join(u'\n');
        return resultado;
    }

    // Name and, for a service its type's number, for a product its bar code, by
    // (launch type, code): the cells the record form's lookups fill.
    using Registro = QHash<QPair<qint32, qint64>, QPair<QString, QVariant>>;
    static Registro LerRegistro(const P::FaixaDePeso& faixa) {
        QVariantList servicos, produtos;
        for (const ItemDoPacote& item : faixa.Itens)
            (item.TipoDeLancamento == GradeDeItens::LancamentoDeServico ? servicos : produtos) << item.Codigo;
        Registro registro;
        std::optional<QSqlQuery> q = PrecosDoCadastro::LerPorCodigos(
            QStringLiteral("Nome, CAST(NumeroDoTipoDeServico AS TEXT)"), servicos,
            QStringLiteral("Nome, COALESCE(CodigoDeBarras, '')"), produtos);
        while (q && q->next())
            registro.insert({q->value(0).toInt(), q->value(1).toLongLong()},
                            {q->value(2).toString(), q->value(3).toString()});
        return registro;
    }
};

} // namespace

std::unique_ptr<QObject> NovoPacotesDeProcedimentos() {
    return std::make_unique<clsPacotesDeProcedimentosNoBanco>();
}

} // namespace Objetos
