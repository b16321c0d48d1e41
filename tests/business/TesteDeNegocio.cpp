#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "business/Relogio.h"

#include <QtTest>

using namespace BancoDeTeste;

bool TesteDeNegocio::BancoEhSQLite() const {
    QFETCH_GLOBAL(QString, banco);
    return banco == QLatin1String("sqlite");
}

void TesteDeNegocio::FixarRelogio(const QDateTime& quando) {
    Relogio::DefinirParaTestes([quando] { return quando; });
}

double TesteDeNegocio::NovoOrcamento(double cliente, qint32 animal) {
    GradeEmMemoria grade;
    auto orcamento = OrcamentoValido(grade, musuario.get());
    orcamento->CodigoDoCliente = cliente;
    orcamento->CodigoDoAnimal = animal;
    grade.DefinirCelula(1, GradeDeItens::CodigoDoAnimal, QString::number(animal));
    const qint16 resultado = orcamento->Adicionar();
    if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return resultado == 0 ? orcamento->CodigoGerado : 0;
}

void TesteDeNegocio::initTestCase_data() {
    LinhasDosBancos();
}

void TesteDeNegocio::init() {
    msessao.reset(); // a failed init() is followed by no cleanup()
    if (mpreparo != Preparo::Nada) {
        msessao = std::make_unique<Sessao>();
        if (QTest::currentTestFailed()) return;
        if (mpreparo == Preparo::Cadastro) EscreverCadastroDeTeste();
    }
    Preparar();
}

void TesteDeNegocio::cleanup() {
    Encerrar();
    msessao.reset();
    Negocio::Encerrar(); // also what a test function opened itself
    Relogio::DefinirParaTestes({});
    Banco::DefinirPrazos({});
}
