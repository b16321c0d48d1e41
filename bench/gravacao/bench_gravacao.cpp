// Saving a quote through the record form on a generated database, driven as a person
// drives it on the offscreen platform, from the list the host docked:
//
//   incluir_100_itens  the list's add command; in the form a client and 100 service items
//                      (untimed), then the save button: timed from its click until the list
//                      has selected again and the form is unloaded. The floor is the
//                      business layer's own Adicionar of the same header and grid, without
//                      the form and the list.
//   alterar_1_item     the list's change command on that quote; in the form one item is
//                      removed (the change mode's item command; stored at once) and the quote
//                      saved: timed from the save button's click as above. The removal's own
//                      time is in the note.
//
// The one-second waits of the waiting panels are not measured (the pause is shortened to
// nothing through the platform seam); any message box or error shown fails the run. The
// quotes a case stores (the form's and the floor's) are removed at its end.
//
//   bench_gravacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"
#include "bench/list/Host.h"

#include "business/Banco.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/frmFicha.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_gravacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: incluir_100_itens, alterar_1_item";

constexpr int ItensPorOrcamento = 100;

template <class T> T* Filho(QWidget* formulario, const char* nome) {
    return &Formularios::Controle<T>(*formulario, nome);
}

void Clicar(QWidget* formulario, const char* comando) {
    emit Filho<XRCommandButton>(formulario, comando)->Click();
}

// An active client with an active animal, and active services with their types and
// prices: what the lookups would have found in the generated registry.
struct Cadastro {
    QString CodigoDoCliente, Apelido, Nome, NomeDoAnimal;
    qint32 CodigoDoAnimal = 0;
    struct Servico {
        int Tipo;
        QString Codigo, Nome, Custo, Valor;
    };
    QList<Servico> Servicos;
};

Cadastro LerCadastro() {
    Cadastro c;
    QSqlQuery q = Banco::Executar(QStringLiteral("SELECT c.CodigoDoCliente, c.ApelidoOuNomeFantasia, "
                                                 "c.NomeOuRazaoSocial, a.Codigo, a.Nome FROM Clientes c "
                                                 "JOIN Animais a ON a.CodigoDoCliente = c.CodigoDoCliente "
                                                 "WHERE c.Situacao = 1 AND a.Situacao = 1 ORDER BY "
                                                 "c.CodigoDoCliente LIMIT 1"));
    if (!q.next()) Falhar(QStringLiteral("Nenhum cliente ativo com animal no banco."));
    c.CodigoDoCliente = q.value(0).toString();
    c.Apelido = q.value(1).toString();
    c.Nome = q.value(2).toString();
    c.CodigoDoAnimal = q.value(3).toInt();
    c.NomeDoAnimal = q.value(4).toString();
    q = Banco::Executar(
        QStringLiteral("SELECT Codigo, Nome, NumeroDoTipoDeServico, Custo, ValorDeVenda FROM "
                       "Servicos WHERE Situacao = 1 AND ValorDeVenda > 0 ORDER BY Codigo LIMIT ?"),
        {ItensPorOrcamento});
    const auto Dinheiro = [](const QVariant& v) {
        return VB::Format(QVariant::fromValue(VB::Currency::DeDecimosDeMilesimos(v.toLongLong())),
                          QStringLiteral("#,##0.00"));
    };
    while (q.next())
        c.Servicos.append({q.value(2).toInt(), q.value(0).toString(), q.value(1).toString(),
                           Dinheiro(q.value(3)), Dinheiro(q.value(4))});
    if (c.Servicos.isEmpty()) Falhar(QStringLiteral("Nenhum serviço ativo no banco."));
    return c;
}

// The client and the items, each as its lookup leaves it, added with the form's own
// command: quantity 1 to 3, 5 % discount.
void PreencherOrcamento(QWidget* ficha, const Cadastro& c) {
    const std::pair<const char*, QString> cliente[] = {{"xrfCodigoDoCliente", c.CodigoDoCliente},
                                                       {"xrfApelidoOuNomeFantasiaDoCliente", c.Apelido},
                                                       {"xrfNomeOuRazaoSocialDoCliente", c.Nome}};
    for (const auto& [campo, texto] : cliente) {
        Filho<XRFind>(ficha, campo)->setStatus(XRFind::StatusNenhum);
        Filho<XRFind>(ficha, campo)->setText(texto);
    }
    auto* animal = Filho<XRComboBox>(ficha, "xrcmbAnimal");
    animal->AddItem(c.NomeDoAnimal);
    animal->setItemData(animal->NewIndex(), c.CodigoDoAnimal);
    animal->setListIndex(0);
    for (const char* controle : {"optServico", "optProduto", "xrcmbTiposDeServicos"})
        Filho<Controle>(ficha, controle)->setEnabled(true);
    auto* tipos = Filho<XRComboBox>(ficha, "xrcmbTiposDeServicos");
    for (int i = 0; i < ItensPorOrcamento; ++i) {
        const Cadastro::Servico& s = c.Servicos[i % c.Servicos.size()];
        for (int t = 0; t < tipos->ListCount(); ++t)
            if (tipos->ItemData(t) == s.Tipo) tipos->setListIndex(t);
        Filho<XRFind>(ficha, "xrfCodigoDoServico")->setText(s.Codigo);
        Filho<XRFind>(ficha, "xrfNomeDoServico")->setText(s.Nome);
        Filho<XRFind>(ficha, "xrfNomeDoServico")->setTag(s.Custo);
        const int quantidade = 1 + i % 3;
        const double desconto = 0.05 * quantidade * VB::CDbl(s.Valor);
        const QString valores[] = {QString::number(quantidade), s.Valor, QStringLiteral("5,00"),
                                   VB::Format(desconto, QStringLiteral("#,##0.00"))};
        const char* caixas[] = {"xrnumQuantidade", "xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem",
                                "xrnumValorDeDescontoPorItem"};
        for (int k = 0; k < 4; ++k)
            Filho<XRNumberBox>(ficha, caixas[k])->setText(valores[k]);
        Clicar(ficha, "xrcmdAdicionar");
    }
    if (Filho<MSFlexGrid>(ficha, "msfgGradeDeItensDoOrcamento")->Rows() != ItensPorOrcamento + 1)
        Falhar(QStringLiteral("O formulário não aceitou os itens."));
}

// The business layer alone storing what the form shows, with the same grid; answers the
// new quote's number.
qint64 AdicionarSemFormulario(QWidget* ficha) {
    auto orcamento = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
    orcamento->CodigoDoCliente = VB::CDbl(Filho<XRFind>(ficha, "xrfCodigoDoCliente")->Text());
    orcamento->CodigoDoAnimal = Filho<XRComboBox>(ficha, "xrcmbAnimal")->ItemData(0);
    orcamento->ValorTotal = VB::CCur(Filho<XRNumberBox>(ficha, "xrnumValorTotal")->Text());
    orcamento->DescontoEmPercentual =
        VB::CCur(Filho<XRNumberBox>(ficha, "xrnumDescontoEmPercentual")->Text());
    orcamento->DescontoEmValor = VB::CCur(Filho<XRNumberBox>(ficha, "xrnumDescontoEmValor")->Text());
    orcamento->ValorLiquido = VB::CCur(Filho<XRNumberBox>(ficha, "xrnumValorLiquido")->Text());
    orcamento->DataDeValidadeDoOrcamento =
        Filho<XRDTPicker>(ficha, "xrdtpDataDeValidadeDoOrcamento")->Value();
    orcamento->GradeDeItensDoOrcamento = Filho<MSFlexGrid>(ficha, "msfgGradeDeItensDoOrcamento");
    orcamento->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (orcamento->Adicionar() != 0)
        Falhar(QStringLiteral("Adicionar recusou: ") + orcamento->DescricaoDaFalha +
               orcamento->DescricaoDoErro);
    return qint64(orcamento->CodigoGerado);
}

// The list docked in the host, and the form each of its commands shows, scripted.
class ListaRoteirizada {
public:
    explicit ListaRoteirizada(Host& host) : mhost(host) {
        mhost.AbrirLista();
        Plataforma::SubstituirExibicaoModal([this](QWidget* ficha) { mroteiro(ficha); });
    }
    ~ListaRoteirizada() { Plataforma::SubstituirExibicaoModal({}); }

    // Runs the list's command with the form scripted; answers the time from the mark
    // the script set (Marcar) until the command returned (and notes the round trips
    // made in that time, through the relay).
    double Comando(const char* nome, std::function<void(QWidget*)> roteiro) {
        mroteiro = std::move(roteiro);
        Clicar(&mhost.Lista(), nome);
        const double tempo = Decorrido();
        Medicao::AnotarIdasEVoltas(tempo, Medicao::IdasEVoltas() - midasNaMarca);
        QCoreApplication::processEvents();
        return tempo;
    }
    void Marcar() {
        midasNaMarca = Medicao::IdasEVoltas();
        mrelogio.start();
    }
    double Decorrido() const { return mrelogio.nsecsElapsed() / 1e6; }
    // The newest quote, first in "Recentes": what the change command acts on.
    double PrimeiroDaLista() {
        MSFlexGrid* grade = mhost.Lista().Grade();
        grade->setRow(1);
        return VB::CDbl(grade->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento));
    }

private:
    Host& mhost;
    std::function<void(QWidget*)> mroteiro;
    QElapsedTimer mrelogio;
    qint64 midasNaMarca = 0;
};

qint64 ItensDoOrcamento(double numero) {
    return Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
                        {numero})
        .toLongLong();
}

// Through the delay relay: the round trips of a part of the command, beside its time.
QString IdasEVoltasDe(const std::vector<double>& salvamentos) {
    const QString idas = Medicao::TextoDeIdasEVoltas(salvamentos);
    return idas.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(idas);
}

Medicao::Resultado Incluir(const Medicao::Opcoes& o, Host& host, const Cadastro& c) {
    ListaRoteirizada h(host);
    Medicao::Resultado r{QStringLiteral("ficha"), QStringLiteral("incluir_100_itens")};
    std::vector<double> salvamentos;
    QList<qint64> criados;
    for (int i = 0; i <= o.Execucoes; ++i) {
        double piso = 0, salvamento = 0;
        qint64 doPiso = 0;
        const double tempo = h.Comando("xrcmdAdicionar", [&](QWidget* ficha) {
            PreencherOrcamento(ficha, c);
            piso = Medicao::Cronometrar([&] { doPiso = AdicionarSemFormulario(ficha); });
            h.Marcar();
            salvamento = Medicao::Cronometrar([&] { Clicar(ficha, "xrcmdSalvarFecharConfirmar"); });
        });
        const qint64 doFormulario = qint64(h.PrimeiroDaLista());
        criados << doPiso << doFormulario;
        if (ItensDoOrcamento(doFormulario) != ItensPorOrcamento)
            Falhar(QStringLiteral("O orçamento não foi gravado pelo formulário."));
        if (i == 0) continue; // warm-up
        r.Tempos.push_back(tempo);
        r.Piso.push_back(piso);
        salvamentos.push_back(salvamento);
    }
    r.Linhas = ItensPorOrcamento;
    r.Nota = QStringLiteral("até o formulário fechar: %1 ms").arg(Medicao::Mediana(salvamentos), 0, 'f', 1) +
             IdasEVoltasDe(salvamentos);
    Amostra::Remover(criados);
    return r;
}

Medicao::Resultado Alterar(const Medicao::Opcoes& o, Host& host, const Cadastro& c) {
    ListaRoteirizada h(host);
    Medicao::Resultado r{QStringLiteral("ficha"), QStringLiteral("alterar_1_item")};
    h.Comando("xrcmdAdicionar", [&](QWidget* ficha) {
        PreencherOrcamento(ficha, c);
        Clicar(ficha, "xrcmdSalvarFecharConfirmar");
    });
    const qint64 criado = qint64(h.PrimeiroDaLista());
    std::vector<double> remocoes, salvamentos;
    for (int i = 0; i <= o.Execucoes; ++i) {
        const double numero = h.PrimeiroDaLista();
        const qint64 antes = ItensDoOrcamento(numero);
        double remocao = 0, salvamento = 0;
        const double tempo = h.Comando("xrcmdAlterar", [&](QWidget* ficha) {
            remocao = Medicao::Cronometrar([&] { Clicar(ficha, "xrcmdRemover"); });
            h.Marcar();
            salvamento = Medicao::Cronometrar([&] { Clicar(ficha, "xrcmdSalvarFecharConfirmar"); });
        });
        if (ItensDoOrcamento(numero) != antes - 1 || h.PrimeiroDaLista() != numero)
            Falhar(QStringLiteral("A alteração do orçamento %1 não foi gravada.").arg(numero));
        if (i == 0) continue;
        r.Tempos.push_back(tempo);
        remocoes.push_back(remocao);
        salvamentos.push_back(salvamento);
    }
    r.Linhas = ItensPorOrcamento;
    r.Nota = QStringLiteral("até o formulário fechar: %1 ms%2; remover o item: %3 ms%4")
                 .arg(Medicao::Mediana(salvamentos), 0, 'f', 1)
                 .arg(IdasEVoltasDe(salvamentos))
                 .arg(Medicao::Mediana(remocoes), 0, 'f', 2)
                 .arg(IdasEVoltasDe(remocoes));
    Amostra::Remover({criado});
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    Cadastro cadastro;
    // As an administrator: the record form leaves prices and discounts unlocked.
    const auto caso = [&cadastro](const char* nome, Medicao::Resultado (*medir)(const Medicao::Opcoes&, Host&,
                                                                                const Cadastro&)) {
        return Host::Caso(
            QString::fromLatin1(nome),
            [&cadastro, medir](const Medicao::Opcoes& o, Host& h) { return medir(o, h, cadastro); },
            Host::Usuario::Administrador);
    };
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {caso("incluir_100_itens", Incluir), caso("alterar_1_item", Alterar)},
         .Preparar = [&cadastro] {
             // An error report or a message would wait for a person too.
             Formularios::RecusarErros();
             Formularios::RecusarMensagens();
             cadastro = LerCadastro();
         }});
}
