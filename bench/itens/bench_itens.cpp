// The record form's item lookups on a generated database, driven through the form's
// fields as a person drives them on the offscreen platform: a product found by its bar
// code, by a scale label and by a fragment of its name (one product, or several picked
// from the pick list), and a service found by type and name fragment and by code.
// Each figure runs from the search request until the item's fields are filled and the
// event loop has passed once (the form painted). The one-second wait of the waiting
// panel is not measured: the pause is shortened to nothing through the platform seam.
// The bar-code and name lookups are set next to their floor (the count and the page
// the business layer reads, run straight on its connection).
//
//   bench_itens (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: produto_codigo_de_barras, produto_etiqueta, produto_nome, produto_nome_lista,
// servico_tipo_nome, servico_codigo (all of them when --caso is not given).
// Goal: at most 10 ms each at 20,000 products and 4,000 services.

#include "bench/business/Medicao.h"
#include "bench/business/Rastro.h"
#include "bench/business/Referencia.h"
#include "bench/comum/Formularios.h"

#include "business/Banco.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/frmFicha.h"
#include "search/frmPesquisa.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_itens (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: produto_codigo_de_barras, produto_etiqueta, produto_nome, produto_nome_lista,\n"
    "       servico_tipo_nome, servico_codigo";

constexpr double MetaMs = 10;

// A text of the registry: the first column of the first row.
QString Valor(const QString& sql, const QVariantList& parametros = {}) {
    return Banco::Valor(sql, parametros).toString();
}

// How many active products or services the business layer finds for the record form's search.
qint32 ProdutosEncontrados(const QString& nome, const QString& codigoDeBarras, double codigoInterno) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    QString n = nome, b = codigoDeBarras;
    if (produtos->Selecionar(2, 0, 1, QString(), n, b, codigoInterno).toBool())
        Falhar(QStringLiteral("A seleção de produtos falhou: ") + produtos->DescricaoDoErro);
    return produtos->ResultadoDaSelecaoEmRecordSet()->RecordCount();
}
qint32 ServicosEncontrados(qint16 tipo, const QString& nome, double codigo) {
    auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
    QString n = nome;
    if (servicos->Selecionar(2, 0, 1, QString(), tipo, n, codigo).toBool())
        Falhar(QStringLiteral("A seleção de serviços falhou: ") + servicos->DescricaoDoErro);
    return servicos->ResultadoDaSelecaoEmRecordSet()->RecordCount();
}

// Rows of a table spread over the registry (from the middle on), one at a time, until
// aceitar takes one; its answer is what the benchmark searches.
QString Escolher(const QString& sql, const std::function<QString(const QSqlQuery&)>& aceitar) {
    QSqlQuery q = Banco::Executar(sql);
    while (q.next())
        if (const QString escolhido = aceitar(q); !escolhido.isEmpty()) return escolhido;
    Falhar(QStringLiteral("Nada no cadastro serve para \"%1\".").arg(sql));
}

// A scale label of the weight format: "2", the internal code, 1,250 kg, the check digit.
QString Etiqueta(qint64 codigoInterno) {
    const QString corpo =
        QStringLiteral("2%1%2").arg(codigoInterno, 6, 10, QChar(u'0')).arg(QStringLiteral("01250"));
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (corpo.at(i).unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return corpo + QChar(u'0' + (10 - soma % 10) % 10);
}

// The record form of a new quote as the host opens it, for a client of the registry
// with an animal, kept on screen; search dialogs get the first row picked.
class Ficha {
public:
    Ficha() {
        QSqlQuery linha =
            Banco::Executar(QStringLiteral("SELECT a.Codigo, a.Nome, c.CodigoDoCliente, "
                                           "c.ApelidoOuNomeFantasia, c.NomeOuRazaoSocial FROM Animais "
                                           "a JOIN Clientes c ON c.CodigoDoCliente = a.CodigoDoCliente WHERE "
                                           "a.Situacao = 1 AND c.Situacao = 1 "
                                           "ORDER BY a.Codigo LIMIT 1"));
        if (!linha.next()) Falhar(QStringLiteral("O cadastro não tem animais."));
        modPrincipal::CodigoDoAnimal = linha.value(0).toInt();
        modPrincipal::NomeDoAnimal = linha.value(1).toString();
        modPrincipal::CodigoDoCliente = linha.value(2).toInt();
        modPrincipal::ApelidoOuNomeFantasiaDoCliente = linha.value(3).toString();
        modPrincipal::NomeOuRazaoSocialDoCliente = linha.value(4).toString();
        modPrincipal::FichaAbertaDiretamente = true;
        Plataforma::SubstituirExibicaoModal([](QWidget* janela) {
            if (auto* lista = qobject_cast<frmPesquisa*>(janela)) {
                MSFlexGrid* grade = lista->Grade();
                grade->setRow(1);
                emit grade->Click();
            }
        });
        mficha.MontarExibirFormulario(frmFicha::Inclusao);
        if (!mficha.isVisible()) Falhar(QStringLiteral("A ficha não foi exibida."));
        QCoreApplication::processEvents();
    }

    template <class T> T& Controle(const char* nome) { return Formularios::Controle<T>(mficha, nome); }
    QString Texto(const char* campo) { return Controle<XRFind>(campo).Text(); }

    // The person's search request in a field, and the pass of the event loop after it.
    void Pesquisar(const char* campo, const QString& texto) {
        XRFind& f = Controle<XRFind>(campo);
        f.setText(texto);
        f.Pesquisar();
        QCoreApplication::processEvents();
    }
    void PainelDeEspera() {
        QMetaObject::invokeMethod(&mficha, "ExibirOcultarpicMensagem", Q_ARG(bool, true));
        QMetaObject::invokeMethod(&mficha, "ExibirOcultarpicMensagem", Q_ARG(bool, false));
        QCoreApplication::processEvents();
    }
    void Produtos() { Controle<OptionButton>("optProduto").setValue(true); }
    void Servicos() { Controle<OptionButton>("optServico").setValue(true); }
    // The type list's entry of that type number.
    void EscolherTipo(int numero) {
        XRComboBox& tipos = Controle<XRComboBox>("xrcmbTiposDeServicos");
        for (int i = 0; i < tipos.ListCount(); ++i)
            if (tipos.ItemData(i) == numero) tipos.setListIndex(i);
        QCoreApplication::processEvents();
    }

private:
    frmFicha mficha;
};

// Checks the item one search fills (right after it: the panel alone, shown over the form,
// makes the focused quantity box reformat itself when it loses the focus), then times the
// search (after antes, untimed) beside its floor. The waiting panel alone (shown and hidden
// around nothing, with the pass of the event loop after it) is timed in the same turns:
// the goal is for the lookup beside it.
Medicao::Resultado Medir(const Medicao::Opcoes& o, Ficha& f, const QString& caso,
                         const std::function<void()>& antes, const std::function<void()>& pesquisar,
                         const std::function<bool()>& preenchido, const QList<Medicao::Comando>& piso = {}) {
    Medicao::Resultado r{QStringLiteral("ficha"), caso};
    antes();
    if (!piso.isEmpty()) r.Nota = Rastro::ConferirPiso(pesquisar, piso) + QStringLiteral("; ");
    antes();
    pesquisar();
    if (!preenchido()) Falhar(caso + QStringLiteral(": o item não ficou preenchido."));
    std::vector<double> painel;
    QList<Medicao::Medida> medidas{{pesquisar, antes, &r.Tempos}, {[&] { f.PainelDeEspera(); }, {}, &painel}};
    if (!piso.isEmpty()) medidas.append({[&] { Medicao::ExecutarDireto(piso); }, {}, &r.Piso});
    Medicao::Intercalar(o.Execucoes, medidas);
    const double semPainel = Medicao::Mediana(r.Tempos) - Medicao::Mediana(painel);
    r.Nota += QStringLiteral("painel de espera %1 ms, sem ele %2 ms; meta %3 ms %4")
                  .arg(Medicao::Mediana(painel), 0, 'f', 1)
                  .arg(semPainel, 0, 'f', 1)
                  .arg(MetaMs)
                  .arg(semPainel <= MetaMs ? u"atingida" : u"NÃO ATINGIDA");
    return r;
}

Medicao::Resultado CodigoDeBarras(const Medicao::Opcoes& o, Ficha& f) {
    const QString codigo =
        Escolher(QStringLiteral(
                     "SELECT CodigoDeBarras FROM Produtos WHERE Situacao = 1 AND CodigoDeBarras <> '' AND "
                     "CodigoInterno >= (SELECT MAX(CodigoInterno) / 2 FROM Produtos) ORDER BY CodigoInterno"),
                 [](const QSqlQuery& q) { return q.value(0).toString(); });
    std::fprintf(stderr, "produto_codigo_de_barras: %s\n", qPrintable(codigo));
    Medicao::Resultado r = Medir(
        o, f, QStringLiteral("produto_codigo_de_barras"), [&] { f.Produtos(); },
        [&] { f.Pesquisar("xrfCodigoDeBarrasDoProduto", codigo); },
        [&] {
            return f.Texto("xrfCodigoDeBarrasDoProduto") == codigo && !f.Texto("xrfNomeDoProduto").isEmpty();
        },
        Referencia::ProdutosPorCodigoDeBarras(codigo));
    r.Linhas = 1;
    return r;
}

Medicao::Resultado EtiquetaDeBalanca(const Medicao::Opcoes& o, Ficha& f) {
    const QString codigo = Escolher(
        QStringLiteral(
            "SELECT CodigoInterno FROM Produtos WHERE Situacao = 1 AND VendidoPorEtiquetaDeBalanca = 1 "
            "AND CodigoInterno >= (SELECT MAX(CodigoInterno) / 2 FROM Produtos) ORDER BY CodigoInterno"),
        [](const QSqlQuery& q) { return q.value(0).toString(); });
    const QString etiqueta = Etiqueta(codigo.toLongLong());
    std::fprintf(stderr, "produto_etiqueta: %s (produto %s)\n", qPrintable(etiqueta), qPrintable(codigo));
    Medicao::Resultado r = Medir(
        o, f, QStringLiteral("produto_etiqueta"), [&] { f.Produtos(); },
        [&] { f.Pesquisar("xrfCodigoDeBarrasDoProduto", etiqueta); },
        [&] {
            return f.Texto("xrfCodigoInternoDoProduto") == codigo &&
                   f.Controle<XRNumberBox>("xrnumQuantidade").Text() == QStringLiteral("1,250");
        });
    r.Linhas = 1;
    return r;
}

// A product's whole name finds that product alone; without its first word (the kind
// of product) it finds the same brand, line and size across kinds: the pick list.
QString FragmentoDeProduto(bool varios) {
    return Escolher(QStringLiteral("SELECT NomeNormalizado FROM Produtos WHERE Situacao = 1 AND "
                                   "CodigoInterno >= (SELECT MAX(CodigoInterno) / 2 FROM Produtos) "
                                   "ORDER BY CodigoInterno LIMIT 200"),
                    [varios](const QSqlQuery& q) {
                        QString nome = q.value(0).toString();
                        if (varios) nome = nome.section(u' ', 1);
                        const qint32 achados = ProdutosEncontrados(nome, QString(), 0);
                        return (varios ? achados >= 2 && achados <= 10 : achados == 1) ? nome : QString();
                    });
}

Medicao::Resultado NomeDeProduto(const Medicao::Opcoes& o, Ficha& f, bool varios) {
    const QString fragmento = FragmentoDeProduto(varios);
    const QString caso = varios ? QStringLiteral("produto_nome_lista") : QStringLiteral("produto_nome");
    std::fprintf(stderr, "%s: \"%s\"\n", qPrintable(caso), qPrintable(fragmento));
    // The pick list's reads are not the floor's: only the single product has one.
    Medicao::Resultado r = Medir(
        o, f, caso, [&] { f.Produtos(); }, [&] { f.Pesquisar("xrfNomeDoProduto", fragmento); },
        [&] { return !f.Texto("xrfCodigoInternoDoProduto").isEmpty(); },
        varios ? QList<Medicao::Comando>{} : Referencia::ProdutosPorNome(fragmento));
    r.Linhas = ProdutosEncontrados(fragmento, QString(), 0);
    return r;
}

Medicao::Resultado TipoENomeDeServico(const Medicao::Opcoes& o, Ficha& f) {
    int tipo = 0;
    const QString nome = Escolher(
        QStringLiteral("SELECT NomeNormalizado, NumeroDoTipoDeServico FROM Servicos WHERE Situacao = 1 AND "
                       "Codigo >= (SELECT MAX(Codigo) / 2 FROM Servicos) ORDER BY Codigo LIMIT 200"),
        [&](const QSqlQuery& q) {
            tipo = q.value(1).toInt();
            return ServicosEncontrados(qint16(tipo), q.value(0).toString(), 0) == 1 ? q.value(0).toString()
                                                                                    : QString();
        });
    std::fprintf(stderr, "servico_tipo_nome: tipo %d, \"%s\"\n", tipo, qPrintable(nome));
    Medicao::Resultado r = Medir(
        o, f, QStringLiteral("servico_tipo_nome"),
        [&] {
            f.Servicos();
            f.EscolherTipo(tipo);
        },
        [&] { f.Pesquisar("xrfNomeDoServico", nome); },
        [&] { return !f.Texto("xrfCodigoDoServico").isEmpty(); });
    r.Linhas = 1;
    return r;
}

Medicao::Resultado CodigoDeServico(const Medicao::Opcoes& o, Ficha& f) {
    const QString codigo = Valor(
        QStringLiteral("SELECT Codigo FROM Servicos WHERE Situacao = 1 AND Codigo >= (SELECT MAX(Codigo) / 2 "
                       "FROM Servicos) ORDER BY Codigo LIMIT 1"));
    std::fprintf(stderr, "servico_codigo: %s, tipo \"(Todos)\"\n", qPrintable(codigo));
    // "(Todos)" again before each search: a pick selects the service's own type.
    Medicao::Resultado r = Medir(
        o, f, QStringLiteral("servico_codigo"),
        [&] {
            f.Servicos();
            f.EscolherTipo(0);
        },
        [&] { f.Pesquisar("xrfCodigoDoServico", codigo); },
        [&] { return f.Texto("xrfCodigoDoServico") == codigo && !f.Texto("xrfNomeDoServico").isEmpty(); });
    r.Linhas = 1;
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    // One record form for every case, as a person looks items up one after the other.
    std::unique_ptr<Ficha> ficha;
    const auto caso = [&ficha](const char* nome,
                               Medicao::Resultado (*medir)(const Medicao::Opcoes&, Ficha&)) {
        return Medicao::Caso{QString::fromLatin1(nome),
                             [&ficha, medir](const Medicao::Opcoes& o) { return medir(o, *ficha); }};
    };
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {caso("produto_codigo_de_barras", CodigoDeBarras),
                   caso("produto_etiqueta", EtiquetaDeBalanca),
                   caso("produto_nome",
                        [](const Medicao::Opcoes& o, Ficha& f) { return NomeDeProduto(o, f, false); }),
                   caso("produto_nome_lista",
                        [](const Medicao::Opcoes& o, Ficha& f) { return NomeDeProduto(o, f, true); }),
                   caso("servico_tipo_nome", TipoENomeDeServico), caso("servico_codigo", CodigoDeServico)},
         .Preparar = [&ficha] {
             // An error or a message shown by the form ends the benchmark: a figure of a failed
             // lookup means nothing.
             Formularios::RecusarErros();
             Formularios::RecusarMensagens();
             Formularios::Entrar(Formularios::Usuario::Administrador);
             std::fprintf(stderr, "%s produtos, %s serviços\n",
                          qPrintable(Valor(QStringLiteral("SELECT COUNT(*) FROM Produtos"))),
                          qPrintable(Valor(QStringLiteral("SELECT COUNT(*) FROM Servicos"))));
             ficha = std::make_unique<Ficha>();
         }});
}
