#include "bench/list/Host.h"

#include "platform/Plataforma.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Falhar(const QString& mensagem) {
    std::fprintf(stderr, "%s\n", qPrintable(mensagem));
    std::exit(1);
}

} // namespace

Host::Host() {
    mmenu.resize(1400, 760);
    marea = new QWidget(&mmenu);
    marea->setGeometry(0, 60, 1400, 700);
    mmenu.show();
    musuario.NomeDoUsuario = QStringLiteral("BENCH");
    mcomponente.reset(
        qobject_cast<clsOrcamentos*>(ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsOrcamentos")));
    mcomponente->DadosDoUsuario(&musuario);
    mcomponente->NomeDaAplicacao(QStringLiteral("ZELT - Clínicas Veterinárias e Pet Shops"));
}

Host::~Host() = default;

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
    if (!lista) Falhar(QStringLiteral("A lista não foi aberta."));
    return *lista;
}

void Host::Faltou(const char* nome) {
    Falhar(QStringLiteral("A lista não tem %1.").arg(QString::fromLatin1(nome)));
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
