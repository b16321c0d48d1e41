#pragma once
// What the windows of one quote share (approval, payment, validity renewal, consent
// form): the quote's number, the line that names it above the grid, and the way they
// open: the grid takes its columns, the window reads the quote, and it shows modally
// only when there is something to show (otherwise the person has been told why).

#include "andamento/frmAndamento.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"

#include <memory>

class frmDeUmOrcamento : public frmAndamento {
    Q_OBJECT
public:
    ~frmDeUmOrcamento() override;

    // Reads the quote and shows the window modally; true when the window changed the
    // quote (mbooAlterado), so that the caller reads its rows again.
    Q_INVOKABLE bool MontarExibirFormulario(double ldouNumeroDoOrcamento);

protected:
    // colunas: the grid's, a table of the window's own file (kept, not copied);
    // llonLarguraDoNome: lblOrcamento's width in twips.
    frmDeUmOrcamento(const QString& lstrNome, const QString& lstrTitulo, int llonLargura, int llonAltura,
                     std::span<const modGrade::ColunaDaGrade> colunas, int llonLarguraDoNome, QWidget* pai);

    // Reads mdouNumeroDoOrcamento into the window; false when there is nothing to show.
    virtual bool LerOrcamento() = 0;
    // What the window sets after a successful read, just before it shows.
    virtual void AntesDeExibir() {}

    // A business object of the quote's, with the user's data, that has read the quote
    // (its Ler); none when it could not (the person has been told why).
    template <class T> std::unique_ptr<T> LerComObjeto(const QString& progId) const {
        auto objeto = Zelt::CriarObjeto<T>(progId);
        objeto->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        if (const qint16 resultado = objeto->Ler(mdouNumeroDoOrcamento); resultado != Resultado::Sucesso) {
            ExibirResultadoDoNegocio(*objeto, resultado);
            return nullptr;
        }
        return objeto;
    }
    // "Orçamento 12 · João da Silva" in lblOrcamento.
    void NomearOrcamento(const QString& lstrCliente);

    double mdouNumeroDoOrcamento = 0;
    bool mbooAlterado = false;
    Label* lblOrcamento;

private:
    const std::span<const modGrade::ColunaDaGrade> mcolunas;
};
