#pragma once
// What the windows of a quote's life beyond the list share (the deleted quotes, a
// quote's history; next the follow-up, approval and packages windows), so that a person
// sees the list's program in them: a white modal window sized in twips, the title where
// the list has its own, a command row below it, a grid with the list's look (modGrade)
// under that row, the list's result message in the grid's place when there is nothing
// to show, and "Fechar" at the bottom right.
//
// Each window derives from it, creates its own controls, and places them in its
// Form_Resize after calling this one.

#include "component/modGrade.h"
#include "contracts/Negocio.h"

#include <QDialog>
#include <span>

class Label;
class MSFlexGrid;
class XRCommandButton;

class frmAndamento : public QDialog {
    Q_OBJECT
public:
    ~frmAndamento() override;

    // The look every window of this folder starts from: a white window of that name and
    // title, the suite's font, the size in twips.
    static void PrepararJanela(QDialog& janela, const QString& lstrNome, const QString& lstrTitulo,
                               int llonLargura, int llonAltura);

protected:
    // lstrNome: the window's name (also its error location's object); lstrTitulo: its
    // title and caption; llonLargura and llonAltura in twips.
    frmAndamento(const QString& lstrNome, const QString& lstrTitulo, int llonLargura, int llonAltura,
                 QWidget* pai);

    // The grid's look and columns, header row included.
    void ConfigurarGrade(std::span<const modGrade::ColunaDaGrade> colunas);
    // As many rows of grid as given, each a row of the list's height and shading; the
    // header keeps its height. The texts are the caller's.
    void PrepararLinhas(int llonLinhas);
    // The grid's selected row (0: none).
    int LinhaSelecionada() const;
    // The list's message in place of the grid; an empty text shows the grid again.
    void ExibirMensagemDeResultado(const QString& lstrMensagem);

    // A field's text (blank when Null) and a money field's text as the list writes it.
    static QString TextoDoCampo(const Recordset& registro, const char16_t* campo);
    static QString DinheiroDoCampo(const Recordset& registro, const char16_t* campo);

    void resizeEvent(QResizeEvent* evento) override;
    // Places the title, the grid (from TopoDaGrade down to above "Fechar", its width the
    // window's less the margins), the message and "Fechar".
    virtual void Form_Resize();

    // Where the list has them (twips): the command row's top, the grid's top, the margin.
    static constexpr int TopoDosComandos = 1200;
    static constexpr int TopoDaGrade = 1750;
    static constexpr int Margem = 300;

    const QString mstrNome;
    Label* lblTitulo;
    Label* lblMensagemDeResultado;
    MSFlexGrid* msfgGrade;
    XRCommandButton* xrcmdFechar;

private:
    void xrcmdFechar_Click();
};
