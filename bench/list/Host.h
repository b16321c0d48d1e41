#pragma once
// The host the benchmarks dock the list in, as the suite's menu does: a menu window
// whose work area (1400 x 700 pixels, a 1366 x 768 screen's worth) receives the list,
// and the component created by its ProgID for the user "BENCH". What a person does is
// each followed by one pass of the event loop.

#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"
#include "contracts/DadosDoUsuario.h"
#include "entry/clsOrcamentos.h"
#include "list/frmLista.h"

#include <QWidget>
#include <memory>

class Host {
public:
    using Usuario = Formularios::Usuario;
    explicit Host(Usuario usuario = Usuario::Comum);
    ~Host();

    // A case of a benchmark that runs on a host of its own, made when the case starts.
    static Medicao::Caso Caso(QString nome,
                              std::function<Medicao::Resultado(const Medicao::Opcoes&, Host&)> medir,
                              Usuario usuario = Usuario::Comum);

    // AbrirLista as the host calls it; the list's first page is in the grid when it
    // returns, and the pass of the event loop that follows lays it out and paints it.
    void AbrirLista();
    void FecharLista();
    frmLista& Lista();
    template <class T> T& Controle(const char* nome) { return Formularios::Controle<T>(Lista(), nome); }

    void EscolherSituacao(int indice);
    // A button of the navigation bar.
    void Navegar(int botao);
    // Enter in the find box (Status 1) or its clear button (Status 2).
    void Pesquisar(const QString& texto);
    // A command button of the list (xrcmdAlterar...).
    void Clicar(const char* comando);

    int TamanhoDaPagina();
    int Total();

private:
    QWidget mmenu;
    QWidget* marea;
    clsDadosDoUsuario musuario;
    std::unique_ptr<clsOrcamentos> mcomponente;
};
