#include "tests/record/TesteDaFicha.h"

#include "tests/component/DublesDoComponente.h"

#include "component/modPrincipal.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

QList<QPair<QString, HWnd>>& ChamadasDoFundoEscuro() {
    static QList<QPair<QString, HWnd>> chamadas;
    return chamadas;
}

namespace {

// The dark background, recorded instead of drawn.
class FundoEscuroGravador final : public ZELT_A_EfeitosDeTela::clsFundoEscuro {
public:
    void Aplicar(HWnd& hWnd, qint16&) override { ChamadasDoFundoEscuro().append({u"Aplicar"_s, hWnd}); }
    void Remover(HWnd& hWnd) override { ChamadasDoFundoEscuro().append({u"Remover"_s, hWnd}); }
};

} // namespace

void TesteDaFicha::initTestCase_data() {
    BancoDeTeste::LinhasDosBancos();
}

void TesteDaFicha::initTestCase() {
    Suite::RegistrarComponentesDaSuite();
    Plataforma::DefinirFatorDaPausa(0);
}

void TesteDaFicha::init() {
    // A new quote's recovery copy left by an earlier test would be offered back.
    QStandardPaths::setTestModeEnabled(true);
    QDir(frmFicha::PastaDasCopiasDeRecuperacao()).removeRecursively();
    ErrosExibidos().clear();
    ChamadasDoFundoEscuro().clear();
    mmensagens.clear();
    mrespostas.clear();
    msessao = std::make_unique<BancoDeTeste::Sessao>();
    BancoDeTeste::EscreverCadastroDeTeste();
    RegistrarMensagemGravadora();
    Zelt::RegistrarProgId(ProgId::FundoEscuro, [] { return std::make_unique<FundoEscuroGravador>(); });
    musuario = BancoDeTeste::Usuario(u"ANA"_s);
    modPrincipal::DadosDoUsuario = musuario.get();
    modPrincipal::NomeDaAplicacao = u"Clínica Escola"_s;
    modPrincipal::FichaAbertaDiretamente = false;
    modPrincipal::FomularioDoMenu_hWnd = 0;
    modPrincipal::FormularioDeLista = nullptr;
    Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString& titulo) {
        mmensagens.append({texto, botoes, titulo});
        return mrespostas.isEmpty() ? int(Plataforma::vbOK) : mrespostas.takeFirst();
    });
    Plataforma::SubstituirExibicaoModal([](QWidget*) {});
    Preparar();
}

void TesteDaFicha::cleanup() {
    Encerrar();
    mficha.reset();
    frmFicha::DescarregarInstanciaDaLista();
    delete mmenu;
    mmenu = nullptr;
    modPrincipal::FichaAbertaDiretamente = false;
    modPrincipal::FormularioDeLista = nullptr;
    modPrincipal::DadosDoUsuario = nullptr;
    Plataforma::SubstituirMsgBox({});
    Plataforma::SubstituirExibicaoModal({});
    musuario.reset();
    msessao.reset();
}

frmFicha* TesteDaFicha::AbrirDoHost(qint32 llonCliente, qint32 llonAnimal) {
    modPrincipal::CodigoDoCliente = llonCliente;
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = llonCliente == 1 ? u"João"_s : QString();
    modPrincipal::NomeOuRazaoSocialDoCliente = llonCliente == 1 ? u"João da Silva"_s : QString();
    modPrincipal::CodigoDoAnimal = llonAnimal;
    modPrincipal::NomeDoAnimal = llonAnimal == 10 ? u"Rex"_s : QString();
    mficha = std::make_unique<frmFicha>();
    modPrincipal::FichaAbertaDiretamente = true;
    mficha->MontarExibirFormulario(frmFicha::Inclusao);
    return mficha.get();
}

frmFicha* TesteDaFicha::AbrirDaLista(qint16 lintModo, double ldouNumeroDoOrcamento) {
    if (!mmenu) {
        mmenu = new MenuDeTeste({1400, 760}, {0, 0, 1400, 760});
        mlista = mmenu->AbrirLista();
        modPrincipal::FomularioDoMenu_hWnd = Plataforma::Handle(mmenu);
        modPrincipal::FormularioDeLista = mlista.data();
        // Every quote, not only the recent ones.
        mlista->findChild<QObject*>(u"xrcmbSituacao"_s)->setProperty("ListIndex", 0);
    }
    MSFlexGrid* grade = mlista->Grade();
    for (int r = 1; r < grade->Rows(); ++r)
        if (ldouNumeroDoOrcamento > 0 &&
            grade->TextMatrix(r, frmLista::ColunaNumeroDoOrcamento) == QString::number(ldouNumeroDoOrcamento))
            grade->setRow(r);
    mficha = std::make_unique<frmFicha>();
    mficha->MontarExibirFormulario(lintModo);
    return mficha.get();
}

QString TesteDaFicha::Propriedades(const char* propriedade, const QString& nomes,
                                   const QWidget* ficha) const {
    if (!ficha) ficha = mficha.get();
    QStringList valores;
    for (const QString& nome : nomes.split(u'|')) {
        const QObject* controle = ficha ? ficha->findChild<QObject*>(nome) : nullptr;
        valores << (controle ? controle->property(propriedade).toString() : u"(sem %1)"_s.arg(nome));
    }
    return valores.join(u'|');
}

const QString TesteDaFicha::Totais =
    u"xrnumValorTotal|xrnumDescontoEmPercentual|xrnumDescontoEmValor|xrnumValorLiquido"_s;

void TesteDaFicha::Ativar() {
    mficha->show();
    mficha->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
}

QStringList TesteDaFicha::Mensagens() const {
    QStringList textos;
    for (const MensagemExibida& m : mmensagens) {
        const bool informacao =
            m.Titulo == u"Clínica Escola"_s && m.BotoesEIcone == Plataforma::vbInformation;
        textos << (informacao ? m.Texto : u"(?) "_s + m.Texto);
    }
    return textos;
}

double TesteDaFicha::GravarOrcamento(int lintItens) {
    BancoDeTeste::GradeEmMemoria grade;
    auto orcamento = BancoDeTeste::OrcamentoValido(grade, musuario.get());
    for (int i = 1; i < lintItens; ++i)
        grade.AdicionarServico(1, 1, 10, u"1"_s, u"120,00"_s, u"10,00"_s, u"12,00"_s, u"108,00"_s,
                               u"48,00"_s);
    BancoDeTeste::DefinirTotais(*orcamento, u"%1|10|%2|%3"_s.arg(QString::number(120 * lintItens),
                                                                 QString::number(12 * lintItens),
                                                                 QString::number(108 * lintItens)));
    if (orcamento->Adicionar() != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return orcamento->CodigoGerado;
}

void TesteDaFicha::Clicar(const char* comando) {
    emit ControleDaFicha<XRCommandButton>(comando)->Click();
}

void TesteDaFicha::Pesquisar(const char* campo, const QString& texto) {
    ControleDaFicha<XRFind>(campo)->setText(texto);
    ControleDaFicha<XRFind>(campo)->Pesquisar();
}

void TesteDaFicha::Compor(const QStringList& itens, bool comCliente) {
    if (comCliente) Pesquisar("xrfCodigoDoCliente", QStringLiteral("2"));
    for (const QString& item : itens) {
        if (item.startsWith(QStringLiteral("servico "))) {
            // The person picks the type "Clínicos" in the list.
            auto* tipos = ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos")
                              ->findChild<QComboBox*>(QStringLiteral("cmbLista"));
            tipos->setCurrentIndex(1);
            emit tipos->activated(1);
            Pesquisar("xrfCodigoDoServico", item.mid(8));
        } else {
            ControleDaFicha<OptionButton>("optProduto")->setValue(true);
            Pesquisar("xrfCodigoInternoDoProduto", item.mid(8));
        }
        Clicar("xrcmdAdicionar");
    }
}
