// ZELT_N_Empresa.clsConfiguracoesDoOrcamento: the company's quote settings
// (ConfiguracoesDoOrcamento.h), read and saved with their checks.

#include "business/ConfiguracoesDoOrcamento.h"

#include "business/Banco.h"
#include "business/Objetos.h"
#include "contracts/Pix.h"
#include "contracts/Textos.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace ConfiguracoesDoOrcamento {

const QString TextoDeConsentimentoPadrao = QStringLiteral(
    "Declaro que fui informado(a) pelo(a) médico(a)-veterinário(a) sobre o procedimento indicado para o "
    "meu animal, seus objetivos, as alternativas e os riscos, inclusive os da anestesia, que podem levar "
    "a complicações e, raramente, ao óbito, mesmo com todos os cuidados. Tive a oportunidade de fazer "
    "perguntas e autorizo a realização do procedimento e dos cuidados que se fizerem necessários.");

void CriarEsquema(const Dialeto& dialeto) {
    // Percentages as ten-thousandths (0 to 100 %); the service types as their codes
    // separated by ";". "IF NOT EXISTS": a database set back to an older version runs
    // it again. Held back and sent with the migration's next statement (the version's
    // row): a new database costs no round trip more for it.
    Banco::ExecutarComOProximo(
        dialeto.Ddl(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS ConfiguracoesDoOrcamento ("
            "CodigoDaEmpresa {INTEIRO} PRIMARY KEY REFERENCES Empresa (Codigo) ON DELETE CASCADE, "
            "PercentualDoSinal {INTEIRO} NOT NULL DEFAULT 0 CHECK (PercentualDoSinal BETWEEN 0 AND 1000000), "
            "SinalReembolsavel {INTEIRO} NOT NULL DEFAULT 0 CHECK (SinalReembolsavel IN (0, 1)), "
            "ChavePix TEXT NOT NULL DEFAULT '', NomeDoRecebedor TEXT NOT NULL DEFAULT '', "
            "CidadeDoRecebedor TEXT NOT NULL DEFAULT '', CondicoesDePagamento TEXT NOT NULL DEFAULT '', "
            "TextoDeConsentimento TEXT NOT NULL, VeterinarioResponsavel TEXT NOT NULL DEFAULT '', "
            "CRMV TEXT NOT NULL DEFAULT '', UFDoCRMV TEXT NOT NULL DEFAULT '', "
            "TiposDeServicosComConsentimento TEXT NOT NULL DEFAULT '')")),
        {});
}

} // namespace ConfiguracoesDoOrcamento

namespace Objetos {
namespace {

// The longest texts kept: what a sheet and a message can carry.
constexpr qsizetype TamanhoDasCondicoes = 300; // three lines of the sheet
constexpr qsizetype TamanhoDoConsentimento = 4000;

QString EnderecoDaEmpresa(const QSqlQuery& q) {
    // Logradouro, Numero, Complemento, Bairro, Cidade, UF, CEP at 3..9.
    QStringList partes;
    const QString rua = QStringList{q.value(3).toString().trimmed(), q.value(4).toString().trimmed(),
                                    q.value(5).toString().trimmed()}
                            .filter(QRegularExpression(QStringLiteral("\\S")))
                            .join(QStringLiteral(", "));
    if (!rua.isEmpty()) partes << rua;
    if (!q.value(6).toString().trimmed().isEmpty()) partes << q.value(6).toString().trimmed();
    const QString cidade = q.value(7).toString().trimmed();
    const QString uf = q.value(8).toString().trimmed();
    if (!cidade.isEmpty() || !uf.isEmpty())
        partes << (cidade.isEmpty() || uf.isEmpty() ? QString(cidade + uf) : QString(cidade + u'/' + uf));
    if (!q.value(9).toString().trimmed().isEmpty())
        partes << QStringLiteral("CEP ") + q.value(9).toString().trimmed();
    return partes.join(QStringLiteral(" - "));
}

class clsConfiguracoesDoOrcamentoNoBanco final
    : public Implementacao<ZELT_N_Empresa::clsConfiguracoesDoOrcamento> {
public:
    clsConfiguracoesDoOrcamentoNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Empresa, clsConfiguracoesDoOrcamento")) {}

    qint16 Ler() override {
        return Estado("Ler", [&] {
            QSqlQuery q = Banco::Executar(QStringLiteral(
                "SELECT e.QuantidadeDeDiasParaAValidadeDoOrcamento, "
                "e.PermissaoParaAlterarADataDeValidadeDoOrcamento, e.NomeFantasia, e.Logradouro, e.Numero, "
                "e.Complemento, e.Bairro, e.Cidade, e.UF, e.CEP, e.RazaoSocial, e.CNPJ, e.Telefone, "
                "c.CodigoDaEmpresa, c.PercentualDoSinal, c.SinalReembolsavel, c.ChavePix, c.NomeDoRecebedor, "
                "c.CidadeDoRecebedor, c.CondicoesDePagamento, c.TextoDeConsentimento, "
                "c.VeterinarioResponsavel, c.CRMV, c.UFDoCRMV, c.TiposDeServicosComConsentimento "
                "FROM Empresa e LEFT JOIN ConfiguracoesDoOrcamento c ON c.CodigoDaEmpresa = e.Codigo "
                "WHERE e.Codigo = (SELECT MIN(Codigo) FROM Empresa)"));
            if (!q.next()) Recusar(SemEmpresa());
            QuantidadeDeDiasParaAValidadeDoOrcamento = q.value(0).toInt();
            PermissaoParaAlterarADataDeValidadeDoOrcamento = q.value(1).toInt() != 0;
            NomeFantasia = q.value(2).toString();
            Endereco = EnderecoDaEmpresa(q);
            RazaoSocial = q.value(10).toString();
            CNPJ = q.value(11).toString();
            Telefone = q.value(12).toString();
            const bool gravadas = !q.isNull(13);
            PercentualDoSinal = gravadas ? Banco::MoedaDe(q.value(14)) : VB::Currency();
            SinalReembolsavel = gravadas && q.value(15).toInt() != 0;
            ChavePix = q.value(16).toString();
            // Before the first save, the PIX receiver is the clinic itself.
            NomeDoRecebedor = gravadas ? q.value(17).toString() : NomeFantasia;
            CidadeDoRecebedor = gravadas ? q.value(18).toString() : q.value(7).toString();
            CondicoesDePagamento = q.value(19).toString();
            TextoDeConsentimento =
                gravadas ? q.value(20).toString() : ConfiguracoesDoOrcamento::TextoDeConsentimentoPadrao;
            VeterinarioResponsavel = q.value(21).toString();
            CRMV = q.value(22).toString();
            UFDoCRMV = q.value(23).toString();
            TiposDeServicosComConsentimento.clear();
            for (const QString& codigo : q.value(24).toString().split(u';', Qt::SkipEmptyParts))
                TiposDeServicosComConsentimento << codigo.toInt();
        });
    }

    qint16 Gravar() override {
        return Estado(
            "Gravar",
            [&] {
                if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
                if (!DadosDoUsuario->property("Administrador").toBool())
                    Recusar(QStringLiteral("Somente um administrador pode alterar as configurações do "
                                           "orçamento."));
                const QString chave = Verificar();
                Banco::UnidadeDeTrabalho unidade;
                const QVariant empresa = Banco::Valor(QStringLiteral("SELECT MIN(Codigo) FROM Empresa"));
                if (empresa.isNull() || !empresa.isValid()) Recusar(SemEmpresa());
                Banco::Executar(
                    QStringLiteral("UPDATE Empresa SET QuantidadeDeDiasParaAValidadeDoOrcamento = ?, "
                                   "PermissaoParaAlterarADataDeValidadeDoOrcamento = ? WHERE Codigo = ?"),
                    {QuantidadeDeDiasParaAValidadeDoOrcamento,
                     PermissaoParaAlterarADataDeValidadeDoOrcamento ? 1 : 0, empresa});
                QStringList tipos;
                for (const qint32 tipo : TiposDeServicosComConsentimento)
                    tipos << QString::number(tipo);
                Banco::Executar(
                    QStringLiteral(
                        "INSERT INTO ConfiguracoesDoOrcamento (CodigoDaEmpresa, PercentualDoSinal, "
                        "SinalReembolsavel, ChavePix, NomeDoRecebedor, CidadeDoRecebedor, "
                        "CondicoesDePagamento, "
                        "TextoDeConsentimento, VeterinarioResponsavel, CRMV, UFDoCRMV, "
                        "TiposDeServicosComConsentimento) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                        "ON CONFLICT (CodigoDaEmpresa) DO UPDATE SET PercentualDoSinal = "
                        "excluded.PercentualDoSinal, SinalReembolsavel = excluded.SinalReembolsavel, "
                        "ChavePix = excluded.ChavePix, NomeDoRecebedor = excluded.NomeDoRecebedor, "
                        "CidadeDoRecebedor = excluded.CidadeDoRecebedor, CondicoesDePagamento = "
                        "excluded.CondicoesDePagamento, TextoDeConsentimento = "
                        "excluded.TextoDeConsentimento, "
                        "VeterinarioResponsavel = excluded.VeterinarioResponsavel, CRMV = excluded.CRMV, "
                        "UFDoCRMV = excluded.UFDoCRMV, TiposDeServicosComConsentimento = "
                        "excluded.TiposDeServicosComConsentimento"),
                    {empresa, Banco::Moeda(PercentualDoSinal), SinalReembolsavel ? 1 : 0, chave,
                     NomeDoRecebedor.trimmed(), CidadeDoRecebedor.trimmed(), CondicoesDePagamento.trimmed(),
                     TextoDeConsentimento.trimmed(), VeterinarioResponsavel.trimmed(), CRMV.trimmed(),
                     UFDoCRMV.trimmed().toUpper(), tipos.join(u';')});
                unidade.Confirmar();
                ChavePix = chave;
            },
            &NomeDoCampoValidado);
    }

private:
    static QString SemEmpresa() {
        return QStringLiteral(
            "Não há empresa cadastrada: cadastre a empresa antes de configurar o orçamento.");
    }

    // Every field checked in the window's order; answers the PIX key as it is stored.
    QString Verificar() const {
        if (QuantidadeDeDiasParaAValidadeDoOrcamento < 0 || QuantidadeDeDiasParaAValidadeDoOrcamento > 3650)
            Rejeitar(QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"),
                     QStringLiteral("A validade do orçamento deve ser de 0 a 3650 dias."));
        if (PercentualDoSinal < VB::Currency() || PercentualDoSinal > VB::Currency::DeInteiro(100))
            Rejeitar(QStringLiteral("PercentualDoSinal"),
                     QStringLiteral("O percentual do sinal deve ser de 0 a 100 (0: sem sinal)."));
        QString chave;
        if (!ChavePix.trimmed().isEmpty()) {
            const Pix::ChaveVerificada verificada = Pix::VerificarChave(ChavePix);
            if (!verificada.Motivo.isEmpty()) Rejeitar(QStringLiteral("ChavePix"), verificada.Motivo);
            chave = verificada.Chave;
            if (NomeDoRecebedor.trimmed().isEmpty())
                Rejeitar(QStringLiteral("NomeDoRecebedor"),
                         QStringLiteral("Informe o nome do recebedor do Pix (o nome que o banco do cliente "
                                        "mostra)."));
            if (CidadeDoRecebedor.trimmed().isEmpty())
                Rejeitar(QStringLiteral("CidadeDoRecebedor"),
                         QStringLiteral("Informe a cidade do recebedor do Pix."));
        }
        // A deposit without a PIX key is allowed: the clinic takes it at the counter.
        if (CondicoesDePagamento.trimmed().size() > TamanhoDasCondicoes)
            Rejeitar(QStringLiteral("CondicoesDePagamento"),
                     QStringLiteral("As condições de pagamento devem ter até %1 caracteres.")
                         .arg(TamanhoDasCondicoes));
        if (TextoDeConsentimento.trimmed().isEmpty())
            Rejeitar(QStringLiteral("TextoDeConsentimento"),
                     QStringLiteral("Informe o texto do consentimento."));
        if (TextoDeConsentimento.trimmed().size() > TamanhoDoConsentimento)
            Rejeitar(QStringLiteral("TextoDeConsentimento"),
                     QStringLiteral("O texto do consentimento deve ter até %1 caracteres.")
                         .arg(TamanhoDoConsentimento));
        if (!UFDoCRMV.trimmed().isEmpty() && Textos::UnidadeDaFederacao(UFDoCRMV).isEmpty())
            Rejeitar(QStringLiteral("UFDoCRMV"),
                     QStringLiteral("A UF do CRMV \"%1\" não é uma unidade da federação.")
                         .arg(UFDoCRMV.trimmed()));
        for (const qint32 tipo : TiposDeServicosComConsentimento)
            if (!Banco::Valor(QStringLiteral("SELECT 1 FROM TiposDeServicos WHERE Numero = ?"), {tipo})
                     .isValid())
                Rejeitar(QStringLiteral("TiposDeServicosComConsentimento"),
                         QStringLiteral("O tipo de serviço %1 não está cadastrado.").arg(tipo));
        return chave;
    }
};

} // namespace

std::unique_ptr<QObject> NovoConfiguracoesDoOrcamento() {
    return std::make_unique<clsConfiguracoesDoOrcamentoNoBanco>();
}

} // namespace Objetos
