#include "bench/list/Host.h"

#include "platform/Plataforma.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"

#include <QCoreApplication>

Host::Host(Usuario usuario) {
    mmenu.resize(1400, 760);
    marea = new QWidget(&mmenu);
    marea->setGeometry(0, 60, 1400, 700);
    mmenu.show();
    musuario.NomeDoUsuario = QStringLiteral("BENCH");
    musuario.Administrador = usuario == Usuario::Administrador;
    mcomponente.reset(
        qobject_cast<clsOrcamentos*>(ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsOrcamentos")));
    mcomponente->DadosDoUsuario(&musuario);
    mcomponente->NomeDaAplicacao(Formularios::NomeDaAplicacao);
}

Host::~Host() = default;

Medicao::Caso Host::Caso(QString nome, std::function<Medicao::Resultado(const Medicao::Opcoes&, Host&)> medir,
                         Usuario usuario) {
    return {std::move(nome), [medir = std::move(medir), usuario](const Medicao::Opcoes& opcoes) {
                Host host(usuario);
                return medir(opcoes, host);
            }};
}

void Host::AbrirLista() {
    mcomponente->AbrirLista(Plataforma::Handle(&mmenu), Plataforma::Handle(marea));
    QCoreApplication::processEvents();
}

void Host::FecharLista() {
    for (frmLista* lista : marea->findChildren<frmLista*>())
        lista->close(); // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

frmLista& Host::Lista() {
    frmLista* lista = marea->findChild<frmLista*>();
    if (!lista) Medicao::Falhar(QStringLiteral("A lista não foi aberta."));
    return *lista;
}

void Host::EscolherSituacao(int indice) {
    Controle<XRComboBox>("xrcmbSituacao").setListIndex(indice);
    QCoreApplication::processEvents();
}

void Host::Navegar(int botao) {
    emit Controle<XRNavigationBar>("xrnbBarraDeNavegacao").Click(botao);
    QCoreApplication::processEvents();
}

void Host::Pesquisar(const QString& texto) {
    XRFind& pesquisa = Controle<XRFind>("xrfndPesquisar");
    pesquisa.setText(texto);
    pesquisa.setStatus(texto.isEmpty() ? 2 : 1);
    pesquisa.setSearchedText(texto);
    emit pesquisa.Click();
    QCoreApplication::processEvents();
}

void Host::Clicar(const char* comando) {
    emit Controle<XRCommandButton>(comando).Click();
    QCoreApplication::processEvents();
}

int Host::TamanhoDaPagina() {
    return Lista().TamanhoDaPagina();
}

int Host::Total() {
    return Controle<XRNavigationBar>("xrnbBarraDeNavegacao").TotalDeRegistros();
}
