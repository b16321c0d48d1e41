#pragma once
// The base of the tests that run on the real business layer. Every test function
// runs once per configured database (the rows of BancoDeTeste::LinhasDosBancos);
// init() gives it a new database, prepared as the class asks, and cleanup() closes
// it and gives back the clock and the waits a test may have changed. A class's own
// initTestCase() may register what it needs; init and cleanup are the base's.

#include "tests/business/BancoDeTeste.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "business/Relogio.h"
#include "contracts/CriarObjeto.h"

#include <QtTest>

class TesteDeNegocio : public QObject {
    Q_OBJECT

public:
    // What init() prepares before every test function.
    enum class Preparo {
        Nada,       // the test function opens what it needs
        BancoVazio, // a new database, migrated, without a registry
        Cadastro,   // a new database with the known registry (EscreverCadastroDeTeste)
    };

protected:
    explicit TesteDeNegocio(Preparo preparo = Preparo::Cadastro) : mpreparo(preparo) {}
    // Runs at the end of init(), once the database is ready; Encerrar at the start of cleanup().
    virtual void Preparar() {}
    virtual void Encerrar() {}

    // The current row runs on SQLite (else on PostgreSQL).
    bool BancoEhSQLite() const {
        QFETCH_GLOBAL(QString, banco);
        return banco == QLatin1String("sqlite");
    }
    // The clock the business layer reads, fixed until the end of the test function.
    static void FixarRelogio(const QDateTime& quando) {
        Relogio::DefinirParaTestes([quando] { return quando; });
    }
    // Stores a valid quote (one consultation, BancoDeTeste::OrcamentoValido) of that
    // client and animal; answers its number, 0 when it was not stored.
    double NovoOrcamento(double cliente = 1, qint32 animal = 10, bool doisServicos = false) {
        BancoDeTeste::GradeEmMemoria grade;
        auto orcamento = BancoDeTeste::OrcamentoValido(grade, musuario.get());
        if (doisServicos) {
            grade.AdicionarServico(1, 1, animal, QStringLiteral("1"), QStringLiteral("120,00"),
                                   QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("120,00"));
            BancoDeTeste::DefinirTotais(*orcamento, QStringLiteral("240,00|5,00|12,00|228,00"));
        }
        orcamento->CodigoDoCliente = cliente;
        orcamento->CodigoDoAnimal = animal;
        grade.DefinirCelula(1, GradeDeItens::CodigoDoAnimal, QString::number(animal));
        const qint16 resultado = orcamento->Adicionar();
        if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
        return resultado == 0 ? orcamento->CodigoGerado : 0;
    }
    // The same with a second consultation of 120,00 without discount (two items, for an
    // approval in part).
    double NovoOrcamentoDeDoisServicos(double cliente = 1, qint32 animal = 10) {
        return NovoOrcamento(cliente, animal, true);
    }
    // A business object of the contract T, as the user above; the stage operations, the
    // sends and the approval so.
    template <class T> std::unique_ptr<T> Objeto(const QString& progId) {
        return BancoDeTeste::Objeto<T>(progId, musuario.get());
    }
    std::unique_ptr<ZELT_N_Orcamentos::clsEtapasDoOrcamento> Etapas() {
        return Objeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
    }
    std::unique_ptr<ZELT_N_Orcamentos::clsEnviosDeOrcamentos> Envio() {
        return Objeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
    }
    std::unique_ptr<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento> Aprovacao(QObject* usuario = nullptr) {
        return BancoDeTeste::Objeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(
            ProgId::AprovacaoDoOrcamento, usuario ? usuario : musuario.get());
    }
    // The stage a quote is shown in now.
    QString EtapaDe(double numero) {
        auto etapas = Etapas();
        etapas->Ler(numero);
        return etapas->EtapaDoOrcamento;
    }
    // An approval by telephone with those items declined; its answer, and its message in
    // falha when given.
    qint16 AprovarSemItens(double numero, const QList<qint32>& recusados, QString* falha = nullptr) {
        auto aprovacao = Aprovacao();
        aprovacao->Ler(numero);
        const qint16 resultado = aprovacao->Aprovar(numero, recusados, QStringLiteral("Maria"), {},
                                                    QStringLiteral("Telefone"), {});
        if (falha) *falha = aprovacao->DescricaoDaFalha;
        return resultado;
    }
    // The same with two units of product 100 as well (BancoDeTeste::OrcamentoComProduto).
    double NovoOrcamentoComProduto() {
        BancoDeTeste::GradeEmMemoria grade;
        auto orcamento = BancoDeTeste::OrcamentoComProduto(grade, musuario.get());
        return orcamento->Adicionar() == 0 ? orcamento->CodigoGerado : 0;
    }
    // That quote, stored, changed as its record form does with one more consultation
    // (120,00), the stamp read handed back (and the person's yes to undoing an approval):
    // the answer of Alterar.
    qint16 AlterarComMaisUmItem(double numero, const QString& alteracaoLida = QString(),
                                bool desfazerAprovacao = false) {
        auto grade = BancoDeTeste::GradeEmMemoria::DoOrcamento(numero);
        const QString zero = QStringLiteral("0,00"), consulta = QStringLiteral("120,00");
        grade.AdicionarServico(1, 1, 10, QStringLiteral("1"), consulta, zero, zero, consulta);
        auto orcamento = BancoDeTeste::Orcamento(grade, musuario.get(),
                                                 QStringLiteral("679,80|1,77|12,00|667,80"), numero);
        orcamento->DataEHoraDaAlteracaoLida = alteracaoLida;
        orcamento->DesfazerAprovacao = desfazerAprovacao;
        const qint16 resultado = orcamento->Alterar();
        if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
        return resultado;
    }

    std::unique_ptr<BancoDeTeste::Sessao> msessao;
    // The clinic's administrator: the tests give any price and discount.
    const std::unique_ptr<QObject> musuario = BancoDeTeste::Usuario(QStringLiteral("ANA"));

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void init() {
        msessao.reset(); // a failed init() is followed by no cleanup()
        if (mpreparo != Preparo::Nada) {
            msessao = std::make_unique<BancoDeTeste::Sessao>();
            if (QTest::currentTestFailed()) return;
            if (mpreparo == Preparo::Cadastro) BancoDeTeste::EscreverCadastroDeTeste();
        }
        Preparar();
    }
    void cleanup() {
        Encerrar();
        msessao.reset();
        Negocio::Encerrar(); // also what a test function opened itself
        Relogio::DefinirParaTestes({});
        Banco::DefinirPrazos({});
    }

private:
    Preparo mpreparo;
};
