// ZELT_N_Orcamentos.clsTermoDeConsentimento (TermoDeConsentimento.h).

#include "business/TermoDeConsentimento.h"

#include "business/Banco.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Relogio.h"
#include "contracts/TermoDeConsentimento.h"

#include <QSqlQuery>

namespace TermoDeConsentimento {

QString Idade(const QDate& nascimento, const QDate& hoje) {
    if (!nascimento.isValid() || nascimento > hoje) return QString();
    int meses = (hoje.year() - nascimento.year()) * 12 + hoje.month() - nascimento.month();
    if (hoje.day() < nascimento.day()) --meses;
    const auto contar = [](int n, const char* um, const char* varios) {
        return QStringLiteral("%1 %2").arg(QString::number(n), QString::fromUtf8(n == 1 ? um : varios));
    };
    if (meses == 0) return contar(static_cast<int>(nascimento.daysTo(hoje)), "dia", "dias");
    const int anos = meses / 12;
    meses %= 12;
    if (anos == 0) return contar(meses, "mês", "meses");
    if (meses == 0) return contar(anos, "ano", "anos");
    return contar(anos, "ano", "anos") + QStringLiteral(" e ") + contar(meses, "mês", "meses");
}

QString Operacao(const QString& como, const QString& veterinario, const QString& crmv) {
    const QString quem = crmv.isEmpty() ? veterinario : veterinario + QStringLiteral(", ") + crmv;
    return QStringLiteral("termo de consentimento %1: %2").arg(como, quem);
}

} // namespace TermoDeConsentimento

namespace Objetos {
namespace {

namespace Z = ZELT_N_Orcamentos;

class clsTermoDeConsentimentoNoBanco final : public Implementacao<Z::clsTermoDeConsentimento> {
public:
    clsTermoDeConsentimentoNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsTermoDeConsentimento")) {}

    qint16 Verificar(double numero) override {
        return Estado("Verificar", [&] {
            const qint64 codigo = Existente(numero);
            const QList<qint32> tipos = TiposComConsentimento();
            ExigeConsentimento = false;
            QSqlQuery q = Banco::Executar(
                QStringLiteral("SELECT DISTINCT NumeroDoTipoDeServico FROM ItensDeOrcamento WHERE "
                               "NumeroDoOrcamento = ? AND TipoDeLancamento = 1"),
                {codigo});
            while (q.next() && !ExigeConsentimento)
                ExigeConsentimento = tipos.contains(q.value(0).toInt());
        });
    }

    qint16 Ler(double numero) override {
        return Estado("Ler", [&] {
            const qint64 codigo = Existente(numero);
            LerEmpresa();
            const QList<qint32> tipos = TiposComConsentimento();
            QSqlQuery q = Banco::Executar(
                QStringLiteral(
                    "SELECT c.NomeOuRazaoSocial, c.CPFOuCNPJ, c.EnderecoCompleto, o.CodigoDoAnimal, "
                    "p.Peso FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = o.CodigoDoCliente "
                    "LEFT JOIN PesosDosOrcamentos p ON p.NumeroDoOrcamento = o.NumeroDoOrcamento WHERE "
                    "o.NumeroDoOrcamento = ?"),
                {codigo});
            q.next();
            NomeDoTutor = q.value(0).toString().trimmed();
            CPFDoTutor = q.value(1).toString().trimmed();
            EnderecoDoTutor = q.value(2).toString().trimmed();
            qint64 animal = q.isNull(3) ? 0 : q.value(3).toLongLong();
            PesoDoAnimal = q.isNull(4) ? QString()
                                       : PacotesDeProcedimentos::TextoDoPeso(Banco::MoedaDe(q.value(4))) +
                                             QStringLiteral(" kg");
            const auto estimativa = PacotesDeProcedimentos::EstimativaDoOrcamento(codigo);
            if (!estimativa) Recusar(QStringLiteral("O orçamento %1 não está cadastrado.").arg(codigo));
            ValorMinimo = estimativa->Minimo;
            ValorMaximo = estimativa->Maximo;
            animal = LerProcedimentos(codigo, tipos, animal);
            LerAnimal(animal);
            Hoje = Relogio::Hoje();
            Idade = TermoDeConsentimento::Idade(DataDeNascimento, Hoje);
        });
    }

    qint16 RegistrarImpressao(double numero, const QString& como, const QString& veterinario,
                              const QString& crmv) override {
        return Estado("RegistrarImpressao", [&] {
            if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
            if (como != Z::TermoImpresso && como != Z::TermoExportadoEmPdf)
                Rejeitar(QStringLiteral("Como"),
                         QStringLiteral("A forma de saída do termo \"%1\" não é conhecida.").arg(como));
            if (veterinario.trimmed().isEmpty())
                Rejeitar(QStringLiteral("Veterinario"),
                         QStringLiteral("Informe o médico-veterinário responsável pelo procedimento."));
            // The entry and its copy of the quote: one unit of work.
            Banco::UnidadeDeTrabalho unidade;
            const qint64 codigo = Existente(numero);
            Historico::Registrar(
                codigo, TermoDeConsentimento::Operacao(como, veterinario.trimmed(), crmv.trimmed()), usuario);
            unidade.Confirmar();
        });
    }

private:
    static qint64 Existente(double numero) {
        const auto codigo = CodigoDoDouble(numero);
        if (!codigo ||
            !Banco::Valor(QStringLiteral("SELECT 1 FROM Orcamentos WHERE NumeroDoOrcamento = ?"), {*codigo})
                 .isValid())
            Recusar(QStringLiteral("O orçamento %1 não está cadastrado.").arg(VB::CStr(numero)));
        return *codigo;
    }

    // The service types the first company's settings list (codes separated by ";").
    static QList<qint32> TiposComConsentimento() {
        const QString texto =
            Banco::Valor(
                QStringLiteral("SELECT TiposDeServicosComConsentimento FROM ConfiguracoesDoOrcamento "
                               "WHERE CodigoDaEmpresa = (SELECT MIN(Codigo) FROM Empresa)"))
                .toString();
        QList<qint32> tipos;
        for (const QString& tipo : texto.split(u';', Qt::SkipEmptyParts))
            tipos << tipo.toInt();
        return tipos;
    }

    // The clinic and the consent from the company's settings, read as the sheet reads them.
    void LerEmpresa() {
        const std::unique_ptr<QObject> objeto = NovoConfiguracoesDoOrcamento();
        auto* c = static_cast<ZELT_N_Empresa::clsConfiguracoesDoOrcamento*>(objeto.get());
        const qint16 resultado = c->Ler();
        if (resultado == Resultado::Recusado) Recusar(c->DescricaoDaFalha);
        if (resultado != Resultado::Sucesso) throw VB::ErroDeExecucao(c->NumeroDoErro, c->DescricaoDoErro);
        NomeFantasia = c->NomeFantasia.trimmed();
        RazaoSocial = c->RazaoSocial.trimmed();
        CNPJ = c->CNPJ.trimmed();
        EnderecoDaEmpresa = c->Endereco;
        // The settings' object answers the address as one line; the place is the city alone.
        QSqlQuery q = Banco::Executar(QStringLiteral(
            "SELECT Cidade, UF FROM Empresa WHERE Codigo = (SELECT MIN(Codigo) FROM Empresa)"));
        q.next();
        const QString cidade = q.value(0).toString().trimmed(), uf = q.value(1).toString().trimmed();
        Local = cidade.isEmpty() || uf.isEmpty() ? cidade : cidade + u'/' + uf;
        VeterinarioResponsavel = c->VeterinarioResponsavel.trimmed();
        CRMV = c->CRMV.trimmed();
        UFDoCRMV = c->UFDoCRMV.trimmed();
        TextoDeConsentimento = c->TextoDeConsentimento.trimmed();
    }

    // The items whose service type needs consent, in the quote's order; answers the
    // animal of the form: the quote's, else the first procedure's.
    qint64 LerProcedimentos(qint64 codigo, const QList<qint32>& tipos, qint64 animal) {
        Procedimentos.clear();
        ExigeConsentimento = false;
        QSqlQuery q = Banco::Executar(
            QStringLiteral(
                "SELECT i.NomeDoServicoOuProduto, i.Quantidade, i.NumeroDoTipoDeServico, "
                "i.CodigoDoAnimal, a.Nome, m.NumeroDoItemDoOrcamento FROM ItensDeOrcamento i LEFT JOIN "
                "Animais a ON a.Codigo = i.CodigoDoAnimal LEFT JOIN ItensSeNecessario m ON "
                "m.NumeroDoOrcamento = i.NumeroDoOrcamento AND m.NumeroDoItemDoOrcamento = "
                "i.NumeroDoItemDoOrcamento WHERE i.NumeroDoOrcamento = ? AND i.TipoDeLancamento = 1 "
                "ORDER BY i.NumeroDoItemDoOrcamento"),
            {codigo});
        while (q.next()) {
            if (!tipos.contains(q.value(2).toInt())) continue;
            ExigeConsentimento = true;
            Z::ProcedimentoDoTermo p;
            p.Nome = q.value(0).toString().trimmed();
            p.Quantidade = VB::Format(QVariant::fromValue(Banco::MoedaDe(q.value(1))), QStringLiteral("0"));
            p.NomeDoAnimal = q.value(4).toString().trimmed();
            p.SeNecessario = !q.isNull(5);
            Procedimentos << p;
            if (animal <= 0 && !q.isNull(3)) animal = q.value(3).toLongLong();
        }
        return animal;
    }

    void LerAnimal(qint64 animal) {
        QSqlQuery q = Banco::Executar(
            QStringLiteral(
                "SELECT Nome, Especie, Raca, Sexo, DataDeNascimento FROM Animais WHERE Codigo = ?"),
            {animal});
        const bool achou = q.next();
        NomeDoAnimal = achou ? q.value(0).toString().trimmed() : QString();
        Especie = achou ? q.value(1).toString().trimmed() : QString();
        Raca = achou ? q.value(2).toString().trimmed() : QString();
        Sexo = achou ? q.value(3).toString().trimmed() : QString();
        DataDeNascimento = achou && !q.isNull(4) ? Banco::DataDeIso(q.value(4).toString()) : QDate();
    }
};

} // namespace

std::unique_ptr<QObject> NovoTermoDeConsentimento() {
    return std::make_unique<clsTermoDeConsentimentoNoBanco>();
}

} // namespace Objetos
