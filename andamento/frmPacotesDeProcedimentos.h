#pragma once
// "Pacotes de procedimentos": the clinic's packages (a castration, a dental cleaning) as
// the services and products each weight band takes. An administrator edits them: picks a
// package (or "Novo pacote"), its name and species, and the band items one row at a time
// (from–to kg, service or product, code, quantity, "se necessário"), then "Gravar", which
// the business layer checks whole (bands with no gap and no overlap, items in the
// registry); anyone else only looks, every editing control disabled.

#include "andamento/frmAndamento.h"

#include <memory>

class XRComboBox;
class XRNumberBox;

class frmPacotesDeProcedimentos : public frmAndamento {
    Q_OBJECT
public:
    explicit frmPacotesDeProcedimentos(QWidget* pai = nullptr);
    ~frmPacotesDeProcedimentos() override;

    // Reads the packages and shows the window, modal, until it is closed.
    Q_INVOKABLE void MontarExibirFormulario();

protected:
    void Form_Resize() override;

private:
    XRNumberBox* Caixa(const QString& nome, const QString& titulo, int left, int top, int width);
    XRComboBox* Lista(const QString& nome, const QString& titulo, int left, int top, int width,
                      const QStringList& itens);
    XRCommandButton* Comando(const QString& nome, const QString& legenda, int left, int top, int width);
    // The packages into the list (the one with that code selected; 0: the first).
    bool LerPacotes(qint64 llonSelecionado);
    // The package in edition into the name, the species and the grid.
    void ExibirPacote();

    void xrcmbPacote_Click();
    void xrcmdNovo_Click();
    void xrcmdIncluirItem_Click();
    void xrcmdRemoverItem_Click();
    void xrcmdGravar_Click();
    void xrcmdExcluir_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsPacotesDeProcedimentos> mobjPacotes;
    ZELT_N_Orcamentos::PacoteDeProcedimentos mpacote;
    bool mbooAdministrador = false;

    XRComboBox* xrcmbPacote;
    XRNumberBox* xrnbNome;
    XRComboBox* xrcmbEspecie;
    XRCommandButton* xrcmdNovo;
    XRNumberBox* xrnbPesoInicial;
    XRNumberBox* xrnbPesoFinal;
    XRComboBox* xrcmbTipo;
    XRNumberBox* xrnbCodigo;
    XRNumberBox* xrnbQuantidade;
    XRComboBox* xrcmbSeNecessario;
    XRCommandButton* xrcmdIncluirItem;
    XRCommandButton* xrcmdRemoverItem;
    XRCommandButton* xrcmdGravar;
    XRCommandButton* xrcmdExcluir;
};
