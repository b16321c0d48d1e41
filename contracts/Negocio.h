#pragma once
// The business layer as the forms see it: one abstract class per ProgID, with the
// members and argument orders the call sites use. By-reference arguments are C++
// references, so a call site sees what the callee wrote back.
//
// Result protocol:
//   - selections answer a Variant that is False (0) on success; anything else is a
//     failure and NumeroDoErro, DescricaoDoErro and LocalDoErro tell why;
//   - Adicionar, Alterar, Excluir of the quotes and the company's Selecionar answer
//     0 done, 1 error (the error properties), 2 rejected (DescricaoDaFalha, and for
//     quotes NomeDoCampoValidado first), 3 refused (DescricaoDaFalha).
// Properties the caller sets before a call, or reads after it, are public fields.

#include "contracts/IGradeDeItens.h"
#include "contracts/Recordset.h"
#include "contracts/VB.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

// The status protocol's results (VB Integers, the values the callers compare).
namespace Resultado {
inline constexpr qint16 Sucesso = 0;
inline constexpr qint16 Erro = 1;      // the error properties tell why
inline constexpr qint16 Rejeitado = 2; // a field's value: DescricaoDaFalha (and the field)
inline constexpr qint16 Recusado = 3;  // the operation: DescricaoDaFalha
} // namespace Resultado

namespace ProgId {
inline const QString Orcamentos = QStringLiteral("ZELT_N_Orcamentos.clsOrcamentos");
inline const QString OrcItens = QStringLiteral("ZELT_N_Orcamentos.clsOrcItens");
inline const QString Clientes = QStringLiteral("ZELT_N_ClientAnim.clsClientes");
inline const QString Animais = QStringLiteral("ZELT_N_ClientAnim.clsAnimais");
inline const QString Produtos = QStringLiteral("ZELT_N_Produtos.clsProdutos");
inline const QString Servicos = QStringLiteral("ZELT_N_Servicos.clsServicos");
inline const QString TiposDeServ = QStringLiteral("ZELT_N_TipoDeServ.clsTiposDeServ");
inline const QString Empresa = QStringLiteral("ZELT_N_Empresa.clsEmpresa");
inline const QString EnviosDeOrcamentos = QStringLiteral("ZELT_N_Orcamentos.clsEnviosDeOrcamentos");
inline const QString EtapasDoOrcamento = QStringLiteral("ZELT_N_Orcamentos.clsEtapasDoOrcamento");
} // namespace ProgId

namespace Zelt {
// Which database the business layer has open, as a text that no other database shares
// (a SQLite file's canonical path, or a PostgreSQL server and database, each with the
// random key the database keeps): what a recovery copy names, so that it is offered
// back only on the database it came from. Empty while none is open. Set by the business
// layer when it opens one.
QString IdentidadeDoBancoAberto();
void DefinirIdentidadeDoBancoAberto(const QString& identidade);
} // namespace Zelt

// What every business object has: its error triple and its last selection.
class ObjetoDeNegocio : public QObject {
    Q_OBJECT
public:
    long NumeroDoErro = 0;
    QString DescricaoDoErro;
    QString LocalDoErro;
    QString DescricaoDaFalha;

    // The last selection; error 91 when there is none.
    RecordsetPtr ResultadoDaSelecaoEmRecordSet() const;
    // The named field of the current row of the last selection.
    Field ResultadoDaSelecaoEmRecordSet(const QString& nomeDoCampo) const;

protected:
    RecordsetPtr mrstResultado;
};

namespace ZELT_N_Orcamentos {

class clsOrcamentos : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // lintTipo 1; lintTamanhoDaPagina may be changed by the callee; lintSituacao is the
    // list filter code (0 all, 1 active, 2 inactive, 3 recent).
    virtual QVariant Selecionar(qint32 lintTipo, qint16& lintTamanhoDaPagina, qint32 llonSituacao,
                                const QString& lstrTexto, double ldouReservado1, double ldouReservado2) = 0;
    // Fills lrstPagina with the rows of the page first set in AbsolutePage of the
    // result; the result stays on that page.
    virtual void PaginarResultadoDaSelecaoEmRecordset(qint16& lintTamanhoDaPagina,
                                                      RecordsetPtr& lrstPagina) = 0;

    virtual qint16 Adicionar() = 0;
    virtual qint16 Alterar() = 0;
    virtual qint16 Excluir() = 0;

    // Header of the quote to store.
    double NumeroDoOrcamento = 0;
    double CodigoDoCliente = 0;
    qint32 CodigoDoAnimal = 0; // -1 when no animal is chosen
    VB::Currency ValorTotal;
    VB::Currency DescontoEmPercentual;
    VB::Currency DescontoEmValor;
    VB::Currency ValorLiquido;
    QString DataDeValidadeDoOrcamento; // "DD/MM/YYYY"
    const IGradeDeItens* GradeDeItensDoOrcamento = nullptr;
    QPointer<QObject> DadosDoUsuario;
    // The quote's "Data e hora da alteração" as the form read it (its default text
    // form; empty when never changed): Alterar and Excluir refuse (3) when the stored
    // quote no longer carries it, so nobody overwrites another workstation's change.
    QString DataEHoraDaAlteracaoLida;

    // After a call.
    QString NomeDoCampoValidado;
    double CodigoGerado = 0;
};

class clsOrcItens : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // lintTipo 1 (items with their quote's sheet fields) or 2 (sheet fields).
    virtual QVariant Selecionar(qint32 lintTipo, qint16& lintTamanhoDaPagina, qint32 llonReservado,
                                double& ldouNumeroDoOrcamento) = 0;
    // Removes one stored item at once, a change of the stored quote: its totals become
    // the sums of the items left. Refused (3) when the quote changed since the form read it.
    virtual QVariant Excluir(double& ldouNumeroDoOrcamento, double& ldouNumeroDoItem) = 0;

    VB::Currency ValorTotalDoOrcamento;
    VB::Currency ValorLiquidoDoOrcamento;
    QPointer<QObject> DadosDoUsuario;
    // The quote's "Data e hora da alteração" as the form read it, as for clsOrcamentos;
    // after a removal, the quote's new stamp: the version the form's save hands over.
    QString DataEHoraDaAlteracaoLida;
    QString ObservacaoDoErro; // the record form reads this instead of DescricaoDoErro
};

// The quote sheets sent to clients, one record for each send, kept apart from the quote
// (a send never changes it).
inline const QString CanalEmail = QStringLiteral("e-mail");
inline const QString CanalWhatsApp = QStringLiteral("WhatsApp");

class clsEnviosDeOrcamentos : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Status protocol: records that the quote was sent now by the user of
    // DadosDoUsuario, by the channel (CanalEmail or CanalWhatsApp), to the address or
    // number (empty for an e-mail opened without a recipient).
    virtual qint16 RegistrarEnvio(double ldouNumeroDoOrcamento, const QString& lstrCanal,
                                  const QString& lstrDestino) = 0;
    // Selection protocol: the quote's sends, newest first (NumeroDoEnvio,
    // NumeroDoOrcamento, DataEHoraDoEnvio, UsuarioDoEnvio, Canal, Destino).
    virtual QVariant SelecionarEnvios(double ldouNumeroDoOrcamento) = 0;

    QPointer<QObject> DadosDoUsuario;
};

// The stage of a quote after it is saved: where it stands with its client. Stored by
// the business layer beside the quote, changed by a send and by clsEtapasDoOrcamento.
namespace Etapa {
inline const QString EmAberto = QStringLiteral("Em aberto");
inline const QString Enviado = QStringLiteral("Enviado");
inline const QString Aprovado = QStringLiteral("Aprovado");
inline const QString AprovadoEmParte = QStringLiteral("Aprovado em parte");
inline const QString Recusado = QStringLiteral("Recusado");
inline const QString Concluido = QStringLiteral("Concluído");
// Never stored: a quote "Em aberto" or "Enviado" whose validity date is before today.
inline const QString Vencido = QStringLiteral("Vencido");
} // namespace Etapa

// Why a client said no (RegistrarRecusa's lstrMotivo), in the order a list offers them.
inline const QStringList MotivosDaRecusa{
    QStringLiteral("Preço"),          QStringLiteral("Fez em outro lugar"),
    QStringLiteral("Desistiu"),       QStringLiteral("Sem resposta do cliente"),
    QStringLiteral("Animal faleceu"), QStringLiteral("Outro")};

// The list's filter codes (clsOrcamentos::Selecionar's llonSituacao): the first four are
// the list's own, the others select by stage.
namespace FiltroDaLista {
inline constexpr qint32 Todos = 0;
inline constexpr qint32 Ativos = 1;
inline constexpr qint32 Inativos = 2;
inline constexpr qint32 Recentes = 3;
inline constexpr qint32 AguardandoResposta = 4; // "Enviado", not vencido
inline constexpr qint32 VencemEmAte7Dias = 5;   // "Em aberto" or "Enviado", valid today to today + 7
inline constexpr qint32 Vencidos = 6;
inline constexpr qint32 Aprovados = 7; // "Aprovado" and "Aprovado em parte"
inline constexpr qint32 Recusados = 8;
inline constexpr qint32 Concluidos = 9;
} // namespace FiltroDaLista

class clsEtapasDoOrcamento : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Status protocol. Each operation is a change of the quote: refused (3) when the
    // quote changed since the caller read it (DataEHoraDaAlteracaoLida, as for
    // clsOrcamentos::Alterar) or when its stage does not allow it (the message names the
    // stage); after success DataEHoraDaAlteracaoLida holds the quote's new stamp. The
    // stage and the history entry are written together or not at all.
    virtual qint16 EntregueAoCliente(double ldouNumeroDoOrcamento) = 0;
    // lstrQuem: who approved (required); lstrComo: how (required, e.g. "Presencial").
    virtual qint16 RegistrarAprovacao(double ldouNumeroDoOrcamento, const QString& lstrQuem,
                                      const QString& lstrComo, bool lblnParcial) = 0;
    // lstrMotivo: one of MotivosDaRecusa (else rejected, 2); lstrNota may be empty.
    virtual qint16 RegistrarRecusa(double ldouNumeroDoOrcamento, const QString& lstrMotivo,
                                   const QString& lstrNota) = 0;
    virtual qint16 Concluir(double ldouNumeroDoOrcamento) = 0;
    // Reads the quote's stage into EtapaDoOrcamento (as shown: "Vencido" where it
    // applies), its stamp into DataEHoraDaAlteracaoLida, its client's name and which
    // operations its stage allows; an unknown quote is refused (3).
    virtual qint16 Ler(double ldouNumeroDoOrcamento) = 0;

    QPointer<QObject> DadosDoUsuario;
    QString DataEHoraDaAlteracaoLida;
    // After Ler. The Permite* members answer from the business layer's one table of
    // moves, so that a form offers only what the operation would accept.
    QString EtapaDoOrcamento;
    QString NomeDoCliente; // the client's name or company name
    bool PermiteEntrega = false;
    bool PermiteAprovacao = false; // whole or in part
    bool PermiteRecusa = false;
    bool PermiteConclusao = false;
};

} // namespace ZELT_N_Orcamentos

namespace ZELT_N_ClientAnim {

class clsClientes : public ObjetoDeNegocio {
    Q_OBJECT
public:
    virtual QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                                const QString& lstrTextoLivre, const QString& lstrApelidoOuNome,
                                double& ldouCodigoDoCliente, const QString& lstrReservado1,
                                const QString& lstrReservado2, const QString& lstrReservado3,
                                double ldouReservado, const QString& lstrReservado4) = 0;
    QPointer<QObject> DadosDoUsuario;
};

class clsAnimais : public ObjetoDeNegocio {
    Q_OBJECT
public:
    virtual QVariant SelecionarParaComboBoxFiltradoPorCliente(double& ldouCodigoDoCliente,
                                                              qint16 lintTipo) = 0;
};

} // namespace ZELT_N_ClientAnim

namespace ZELT_N_Produtos {

class clsProdutos : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // The record form's call: name, bar code or internal code (the others empty or 0).
    virtual QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                                const QString& lstrCodigoOuNome, QString& lstrNome,
                                QString& lstrCodigoDeBarras, double& ldouCodigoInterno) = 0;
    // The search dialog's call: free code-or-name text only.
    QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                        const QString& lstrCodigoOuNome);
};

} // namespace ZELT_N_Produtos

namespace ZELT_N_Servicos {

class clsServicos : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // The record form's call: type (0 every type), name or code.
    virtual QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                                const QString& lstrCodigoOuNome, qint16& lintTipoDeServico, QString& lstrNome,
                                double& ldouCodigo) = 0;
    // The search dialog's call: free code-or-name text and a type.
    QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                        const QString& lstrCodigoOuNome, qint32 llonTipoDeServico);
};

} // namespace ZELT_N_Servicos

namespace ZELT_N_TipoDeServ {

class clsTiposDeServ : public ObjetoDeNegocio {
    Q_OBJECT
public:
    virtual QVariant SelecionarParaComboBox(double& ldouReservado) = 0;
};

} // namespace ZELT_N_TipoDeServ

namespace ZELT_N_Empresa {

class clsEmpresa : public ObjetoDeNegocio {
    Q_OBJECT
public:
    virtual QVariant SelecionarNova(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonReservado,
                                    const QString& lstrReservado) = 0;
    // Status protocol; fills the properties below.
    virtual qint16 Selecionar(qint16 lintTipo, qint16 lintSubtipo) = 0;

    QString NomeFantasia;
    qint32 FormatoDeCodigoDeBarrasParaBalanca = 0;
};

} // namespace ZELT_N_Empresa
