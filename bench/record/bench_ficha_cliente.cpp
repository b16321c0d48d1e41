// The record form's client search on a generated database, driven as a person drives
// it on the offscreen platform: a text typed into one of the three client fields and
// its search button pressed, finding exactly one client, until the client is in the
// fields, the client's animals in their list and the item area open. Set beside it, in
// turns, the same two business calls made straight (the client selection with its
// first page read, the animals read whole): what the form adds is the difference. The
// one-second waits of the waiting panel are not measured: the pause is shortened to
// nothing through the platform seam.
//
//   bench_ficha_cliente (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: ficha_cliente_codigo (the code field), ficha_cliente_nome (a whole name, in the
// name field); all of them when --caso is not given.

#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"

#include "business/Banco.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "platform/Plataforma.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "record/frmFicha.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <cstdio>

namespace {

using Medicao::Falhar;

const char* const Uso = "Uso: bench_ficha_cliente (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso "
                        "NOME] [--execucoes N]\n"
                        "Casos: ficha_cliente_codigo, ficha_cliente_nome";

// The two selections the form makes for one client, straight on the business layer;
// the number of clients found.
qint32 ChamadasDoNegocio(const QString& nome, double codigoDoCliente, double codigoParaOsAnimais) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    double codigo = codigoDoCliente;
    if (clientes->Selecionar(2, 0, 0, QString(), nome, codigo, QString(), QString(), QString(), 0, QString())
            .toBool())
        Falhar(QStringLiteral("A seleção de clientes falhou: ") + clientes->DescricaoDoErro);
    const RecordsetPtr encontrados = clientes->ResultadoDaSelecaoEmRecordSet();
    const qint32 total = encontrados->RecordCount();
    encontrados->MoveFirst();
    for (int linha = 0; linha < 10 && !encontrados->Eof(); ++linha, encontrados->MoveNext())
        for (qint32 campo = 0; campo < encontrados->FieldsCount(); ++campo)
            encontrados->Fields(campo);
    auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
    codigo = codigoParaOsAnimais;
    if (animais->SelecionarParaComboBoxFiltradoPorCliente(codigo, 3).toBool())
        Falhar(QStringLiteral("A seleção de animais falhou: ") + animais->DescricaoDoErro);
    const RecordsetPtr lista = animais->ResultadoDaSelecaoEmRecordSet();
    for (lista->MoveFirst(); !lista->Eof(); lista->MoveNext())
        lista->Fields(QStringLiteral("Nome"));
    return total;
}

// A client with active animals, from about 37 % of the codes on; by name, one whose
// whole name no other client's nickname or name contains.
struct Cliente {
    qint64 Codigo = 0;
    QString Nome;
};
Cliente ClienteComAnimais(bool nomeUnico) {
    const qint64 maior =
        Banco::Valor(QStringLiteral("SELECT MAX(CodigoDoCliente) FROM Clientes")).toLongLong();
    if (maior < 1000) Falhar(QStringLiteral("O banco de dados não tem os clientes do benchmark."));
    const QString consulta = QStringLiteral(
        "SELECT c.CodigoDoCliente, c.NomeOuRazaoSocial FROM Clientes c WHERE c.CodigoDoCliente >= ? AND "
        "c.Situacao = 1 AND EXISTS (SELECT 1 FROM Animais a WHERE a.CodigoDoCliente = c.CodigoDoCliente AND "
        "a.Situacao = 1) ORDER BY c.CodigoDoCliente LIMIT 1");
    for (qint64 inicio = maior * 37 / 100, tentativa = 0; tentativa < 200; ++tentativa) {
        QSqlQuery linha = Banco::Executar(consulta, {inicio});
        if (!linha.next()) break;
        const Cliente cliente{linha.value(0).toLongLong(), linha.value(1).toString()};
        if (!nomeUnico || ChamadasDoNegocio(cliente.Nome, 0, double(cliente.Codigo)) == 1) return cliente;
        inicio = cliente.Codigo + 1;
    }
    Falhar(QStringLiteral("Nenhum cliente com animais e nome único foi encontrado."));
}

// The menu window and the record form of a new quote, opened as the list's add command
// opens it and left on screen.
class Ficha {
public:
    Ficha() {
        mmenu.resize(1400, 760);
        mmenu.show();
        Formularios::Entrar(Formularios::Usuario::Administrador);
        modPrincipal::FomularioDoMenu_hWnd = Plataforma::Handle(&mmenu);
        modPrincipal::FichaAbertaDiretamente = false;
        Plataforma::SubstituirExibicaoModal([](QWidget*) {});
        mficha.MontarExibirFormulario(frmFicha::Inclusao);
        QCoreApplication::processEvents();
    }
    XRFind& Campo(const char* nome) { return Formularios::Controle<XRFind>(mficha, nome); }
    // What the person does, each followed by one pass of the event loop.
    void Pesquisar(const char* campo, const QString& texto) {
        Campo(campo).setText(texto);
        Campo(campo).Pesquisar();
        QCoreApplication::processEvents();
    }
    void Limpar(const char* campo) {
        Campo(campo).Limpar();
        QCoreApplication::processEvents();
    }
    int Animais() { return Formularios::Controle<XRComboBox>(mficha, "xrcmbAnimal").ListCount(); }

private:
    QWidget mmenu;
    frmFicha mficha;
};

Medicao::Resultado Medir(const Medicao::Opcoes& o, const QString& caso, const char* campo,
                         const QString& texto, const Cliente& cliente, bool peloNome) {
    std::fprintf(stderr, "%s: \"%s\" (cliente %lld)\n", qPrintable(caso), qPrintable(texto),
                 static_cast<long long>(cliente.Codigo));
    Ficha ficha;
    ficha.Pesquisar(campo, texto);
    if (ficha.Campo("xrfCodigoDoCliente").Text() != QString::number(cliente.Codigo))
        Falhar(QStringLiteral("A ficha não escolheu o cliente %1.").arg(cliente.Codigo));
    Medicao::Resultado r{QStringLiteral("ficha"), caso};
    r.Nota = QStringLiteral("piso: as duas seleções do negócio, sem o formulário");
    const double codigo = peloNome ? 0 : double(cliente.Codigo);
    Medicao::Intercalar(
        o.Execucoes,
        {{[&] { ficha.Pesquisar(campo, texto); }, [&] { ficha.Limpar(campo); }, &r.Tempos},
         {[&] { r.Linhas = ChamadasDoNegocio(peloNome ? texto : QString(), codigo, double(cliente.Codigo)); },
          {},
          &r.Piso}});
    if (ficha.Animais() < 1) Falhar(QStringLiteral("A ficha não carregou os animais do cliente."));
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {{QStringLiteral("ficha_cliente_codigo"),
                    [](const Medicao::Opcoes& o) {
                        const Cliente cliente = ClienteComAnimais(false);
                        return Medir(o, QStringLiteral("ficha_cliente_codigo"), "xrfCodigoDoCliente",
                                     QString::number(cliente.Codigo), cliente, false);
                    }},
                   {QStringLiteral("ficha_cliente_nome"),
                    [](const Medicao::Opcoes& o) {
                        const Cliente cliente = ClienteComAnimais(true);
                        return Medir(o, QStringLiteral("ficha_cliente_nome"), "xrfNomeOuRazaoSocialDoCliente",
                                     cliente.Nome, cliente, true);
                    }}},
         // A message would mean the search did not find the one client it was meant to.
         .Preparar = Formularios::RecusarMensagens});
}
