#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "business/Relogio.h"

#include <QtTest>

using namespace BancoDeTeste;
using namespace Qt::StringLiterals;

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

double TesteDeNegocio::NovoOrcamentoComProduto() {
    GradeEmMemoria grade;
    auto orcamento = OrcamentoComProduto(grade, musuario.get());
    return orcamento->Adicionar() == 0 ? orcamento->CodigoGerado : 0;
}

qint16 TesteDeNegocio::AlterarComMaisUmItem(double numero, const QString& alteracaoLida) {
    GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
    grade.AdicionarServico(1, 1, 10, u"1"_s, u"120,00"_s, u"0,00"_s, u"0,00"_s, u"120,00"_s);
    auto orcamento = Orcamento(grade, musuario.get(), u"679,80|1,77|12,00|667,80"_s, numero);
    orcamento->DataEHoraDaAlteracaoLida = alteracaoLida;
    const qint16 resultado = orcamento->Alterar();
    if (resultado != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return resultado;
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
