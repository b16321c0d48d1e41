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

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

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
inline const QString RenovacaoDeValidade = QStringLiteral("ZELT_N_Orcamentos.clsRenovacaoDeValidade");
inline const QString AprovacaoDoOrcamento = QStringLiteral("ZELT_N_Orcamentos.clsAprovacaoDoOrcamento");
inline const QString ConfiguracoesDoOrcamento = QStringLiteral("ZELT_N_Empresa.clsConfiguracoesDoOrcamento");
inline const QString Acompanhamento = QStringLiteral("ZELT_N_Orcamentos.clsAcompanhamento");
inline const QString PacotesDeProcedimentos = QStringLiteral("ZELT_N_Orcamentos.clsPacotesDeProcedimentos");
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
    // Set after the person agreed: Alterar may undo the quote's approval. Unset, the
    // change of an approved quote is rejected (2) with NomeDoCampoValidado "Aprovacao"
    // and the warning to ask about in DescricaoDaFalha.
    bool DesfazerAprovacao = false;
    // The animal's weight in kg ("3,8"), stored with the quote and offered again for the
    // animal; empty: none given (a stored weight stays).
    QString PesoDoAnimal;

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
    // Set after the person agreed: the removal may undo the quote's approval. Unset, the
    // removal of an approved quote's item answers 2 with the warning in DescricaoDaFalha.
    bool DesfazerAprovacao = false;
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

// A quote's validity renewed, its items re-priced as if typed today (the registry's
// price, the client's discounts and the company's promotion, by the record form's
// rules), and the same prices read for a copy of the quote.
class clsRenovacaoDeValidade : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Selection protocol: every item of the quote in item order, what it holds and what
    // it would hold if typed today: NumeroDoItemDoOrcamento, TipoDeLancamento,
    // NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto (String),
    // CodigoDoServicoOuCodigoInternoDoProduto, NomeDoServicoOuNomeDoProduto,
    // CodigoDoAnimal, NomeDoAnimal, Quantidade, ValorUnitario, DescontoEmPercentual,
    // DescontoEmValor, ValorTotal, Custo, NoCadastro (Boolean: still active in the
    // registry), NovoValorUnitario, NovoDescontoEmPercentual, NovoDescontoEmValor,
    // NovoValorTotal, NovoCusto. An item no longer active in the registry keeps its
    // values in the Novo fields. After it, the properties below describe the quote.
    virtual QVariant SelecionarItensAPrecosDeHoje(double ldouNumeroDoOrcamento) = 0;
    // Status protocol: the quote valid until lstrNovaValidade ("DD/MM/YYYY", not before
    // today: else rejected, 2), its items re-priced as the selection shows them
    // (lblnReprecificar) or kept, its totals the sums of its items, and the history
    // entry "renovado". A change of the quote: refused (3) when it changed since
    // DataEHoraDaAlteracaoLida, is inactive, or its stage is answered; after success
    // DataEHoraDaAlteracaoLida holds the new stamp.
    virtual qint16 RenovarValidade(double ldouNumeroDoOrcamento, const QString& lstrNovaValidade,
                                   bool lblnReprecificar) = 0;

    QPointer<QObject> DadosDoUsuario;
    QString DataEHoraDaAlteracaoLida; // also read by the selection
    // After the selection: the quote's client and animal, its validity now and the one a
    // renewal gets by default (today + the company's days, "DD/MM/YYYY"), and the
    // header's totals as stored and at today's prices.
    double CodigoDoCliente = 0;
    qint32 CodigoDoAnimal = 0;
    QString DataDeValidadeDoOrcamento;
    QString DataDeValidadePadrao;
    VB::Currency ValorLiquido;
    VB::Currency ValorTotalDeHoje, DescontoEmPercentualDeHoje, DescontoEmValorDeHoje, ValorLiquidoDeHoje;
};

// How a client approved (clsAprovacaoDoOrcamento::Aprovar's lstrComo), in the order a
// list offers them; "Presencial" asks for a signature.
inline const QStringList MeiosDeAprovacao{QStringLiteral("Presencial"), QStringLiteral("WhatsApp"),
                                          QStringLiteral("Telefone"), QStringLiteral("E-mail")};
inline const QString AprovacaoPresencial = QStringLiteral("Presencial");
// How a payment was made (RegistrarPagamento's lstrForma).
inline const QStringList FormasDePagamento{QStringLiteral("Pix"), QStringLiteral("Dinheiro"),
                                           QStringLiteral("Cartão de débito"),
                                           QStringLiteral("Cartão de crédito")};
inline const QString PagamentoPorPix = QStringLiteral("Pix");
// The largest signature stored with an approval (its image, as PNG bytes).
inline constexpr qsizetype TamanhoMaximoDaAssinatura = 64 * 1024;

// The client's yes: which items, who, how, the signature; and the payments against the
// approved value (a deposit first). The approved value is the sum of the approved items'
// totals: each item keeps its own discount, and a quote has no discount of its own
// beyond its items' (so with every item approved it is the quote's net value). An approval is a change of
// the quote (stamp and history, refused when stale); a payment is not: it has its own record.
class clsAprovacaoDoOrcamento : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Status protocol. Reads the quote's stamp into DataEHoraDaAlteracaoLida, its stage,
    // its approval in force (Aprovado False when none) and the sum of its payments; an
    // unknown quote is refused (3).
    virtual qint16 Ler(double ldouNumeroDoOrcamento) = 0;
    // lintItensRecusados: the numbers (NumeroDoItemDoOrcamento) of the items the client
    // declined, none for all approved (not all of them); lstrQuem required; lstrCPF
    // empty or a CPF (11 digits, masked or not, check digits right); lstrComo one of
    // MeiosDeAprovacao; lbytAssinatura a PNG, required for "Presencial", at most
    // TamanhoMaximoDaAssinatura. Stage "Aprovado" or "Aprovado em parte", the history
    // entry, the approval: together or nothing. Refused when stale or when the stage
    // does not allow it; rejected (2) on bad input, NomeDoCampoValidado naming it.
    virtual qint16 Aprovar(double ldouNumeroDoOrcamento, const QList<qint32>& lintItensRecusados,
                           const QString& lstrQuem, const QString& lstrCPF, const QString& lstrComo,
                           const QByteArray& lbytAssinatura) = 0;
    // Undoes the approval in force: kept, marked undone (its signature stays on record);
    // the stage goes back to "Enviado" or "Em aberto"; "aprovação desfeita" in the history.
    virtual qint16 DesfazerAprovacao(double ldouNumeroDoOrcamento) = 0;
    // A payment of an approved quote: lcurValor > 0, the payments' sum never above the
    // approved value; lstrForma one of FormasDePagamento; lstrIdDaTransacao for a Pix
    // (letters and digits, at most 35), empty otherwise. NumeroGerado after success.
    virtual qint16 RegistrarPagamento(double ldouNumeroDoOrcamento, VB::Currency lcurValor,
                                      const QString& lstrForma, const QString& lstrIdDaTransacao) = 0;
    // A payment is never changed: a wrong one is reversed by a negative entry, with a
    // reason, by an administrator only (a clerk is refused, 3).
    virtual qint16 EstornarPagamento(double ldouNumeroDoPagamento, const QString& lstrMotivo) = 0;
    // Selection protocol: the quote's payments, oldest first (NumeroDoPagamento,
    // DataEHora, Usuario, Valor, Forma, IdDaTransacao, EstornoDe, Motivo).
    virtual QVariant SelecionarPagamentos(double ldouNumeroDoOrcamento) = 0;

    QPointer<QObject> DadosDoUsuario;
    QString DataEHoraDaAlteracaoLida;
    // After Ler:
    QString EtapaDoOrcamento;
    QString NomeDoCliente; // the client's name or company name
    bool Aprovado = false;
    VB::Currency ValorAprovado{};
    // The approved items without those "se necessário": the low end of the approved range
    // (ValorAprovado is its high end), the value a deposit is a percentage of. The same as
    // ValorAprovado when no approved item is marked.
    VB::Currency ValorAprovadoMinimo{};
    QList<qint32> ItensRecusados;
    QString Responsavel, CPF, Meio, UsuarioDaAprovacao;
    QDateTime DataEHoraDaAprovacao;
    QByteArray Assinatura;
    VB::Currency ValorPago{};
    QDateTime DataEHoraDoUltimoPagamento;
    // After RegistrarPagamento or EstornarPagamento:
    double NumeroGerado = 0;
    // After a rejection (2): the argument refused ("Quem", "CPF", "Como", "Assinatura",
    // "ItensRecusados", "Valor", "Forma", "IdDaTransacao", "Motivo").
    QString NomeDoCampoValidado;
};

// The follow-up of open quotes ("Acompanhamento de orçamentos"): the sections a
// receptionist works through and the figures of a period. Every figure and section is
// defined in docs/negocio.md ("Follow-up"); "hoje" is the business clock's date.
namespace SecaoDoAcompanhamento {
// Not answered ("Em aberto" or "Enviado"), valid from hoje to hoje + 7.
inline constexpr qint32 VencemEmAte7Dias = 1;
// "Enviado", still valid, its last contact (send or handing over) 3 or more days ago.
inline constexpr qint32 EnviadosSemResposta = 2;
// Not answered, expired in the last 30 days: valid until hoje - 30 to hoje - 1.
inline constexpr qint32 VencidosNosUltimos30Dias = 3;
// "Aprovado" or "Aprovado em parte".
inline constexpr qint32 AprovadosNaoConcluidos = 4;
// A section shows at most this many rows; its total is always counted whole.
inline constexpr qint32 LinhasPorSecao = 100;
} // namespace SecaoDoAcompanhamento

// One of the chart's weeks: the quotes made from Inicio to Fim (seven days).
struct SemanaDoAcompanhamento {
    QDate Inicio, Fim;
    VB::Currency Oferecido; // their net values
    VB::Currency Aprovado;  // the net values of those approved (in part or whole, or concluded)
};

// The figures of the quotes made in a period (their DataDoOrcamento), as they stand today.
struct NumerosDoAcompanhamento {
    QDate Hoje, Inicio, Fim; // the business's today and the period's days
    qint32 Feitos = 0;
    VB::Currency ValorOferecido;
    qint32 Enviados = 0;  // no longer "Em aberto": sent, handed over or answered
    qint32 Aprovados = 0; // "Aprovado", "Aprovado em parte" or "Concluído"
    VB::Currency ValorAprovado;
    qint32 Recusados = 0;
    QList<qint32> RecusadosPorMotivo; // one count per MotivosDaRecusa, in its order
    qint32 Vencidos = 0;
    std::optional<double> TaxaPorQuantidade;         // approved / made, in percent; none when none made
    std::optional<double> TaxaPorValor;              // approved value / offered value, in percent
    std::optional<double> MedianaDeDiasAteAResposta; // none when none answered
    QList<SemanaDoAcompanhamento> Semanas;           // 12, oldest first, the last one ending hoje
    QStringList Usuarios; // who made the quotes of the period and of the weeks, sorted
};

class clsAcompanhamento : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Selection protocol: the section's rows (SecaoDoAcompanhamento), the most urgent
    // first, at most LinhasPorSecao; TotalDaSecao holds how many quotes it has. Fields:
    // NumeroDoOrcamento, CodigoDoCliente, Cliente, Animal, ValorLiquido,
    // DataDeValidadeDoOrcamento, Etapa (as shown), UltimoEnvio (Null when never sent),
    // DiasSemResposta (Null when answered); then the quote's fields as
    // clsOrcamentos::Selecionar names them (ApelidoOuNomeFantasiaDoCliente,
    // NomeOuRazaoSocialDoCliente, DataDoOrcamento, ValorTotal, DescontoEmPercentual,
    // DescontoEmValor, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao,
    // DataEHoraDaAlteracao, UsuarioDaAlteracao), which the record form reads.
    virtual QVariant SelecionarSecao(qint32 lintSecao) = 0;
    // Status protocol: fills Numeros for the quotes made by lstrUsuario (its
    // UsuarioDaInclusao; empty: everyone) in the llonDias days up to today (today
    // included), or with llonDias 0 in the calendar month of ldatMes. The weeks follow the
    // user too. Rejected (2) for any other period.
    virtual qint16 CalcularNumeros(qint32 llonDias, const QDate& ldatMes, const QString& lstrUsuario) = 0;

    qint32 TotalDaSecao = 0;
    NumerosDoAcompanhamento Numeros;
};
// Procedure packages: the services and products of a procedure, by the animal's weight
// band, added to a quote in one step. A weight belongs to the band whose limits hold it
// as (PesoInicial, PesoFinal]: above the start, up to and including the end.
inline const QString EspecieCao = QStringLiteral("Cão");
inline const QString EspecieGato = QStringLiteral("Gato");

struct ItemDoPacote {
    qint32 TipoDeLancamento = GradeDeItens::LancamentoDeServico;
    qint64 Codigo = 0;       // service code or product internal code
    VB::Currency Quantidade; // a whole number for a service
    bool SeNecessario = false;
    QString Nome; // read: the registry's name (empty when it has none)
};
struct FaixaDePeso {
    VB::Currency PesoInicial, PesoFinal; // kg
    QList<ItemDoPacote> Itens;
};
struct PacoteDeProcedimentos {
    qint64 Codigo = 0; // 0: a new package
    QString Nome;
    QString Especie; // EspecieCao, EspecieGato, or empty for any
    QList<FaixaDePeso> Faixas;
};

class clsPacotesDeProcedimentos : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Selection protocol: every package by name (Codigo, Nome, Especie, Faixas: the bands
    // as one text, "até 4 kg; de 4 a 8 kg").
    virtual QVariant Selecionar() = 0;
    // Status protocol: the package into Pacote; an unknown one is refused (3).
    virtual qint16 Ler(qint64 llonCodigo) = 0;
    // Status protocol: checks and stores Pacote whole (a new one's code in CodigoGerado):
    // a bad field is rejected (2) with DescricaoDaFalha naming it (the bands that leave a
    // gap or overlap); a user who is not an administrator is refused (3).
    virtual qint16 Gravar() = 0;
    virtual qint16 Excluir(qint64 llonCodigo) = 0;
    // Status protocol: the items of the package's band for the weight ("3,8" kg), each
    // priced as if typed now for the client, for the animal. Rejected (2): a weight that
    // is no weight or that no band holds, an animal of another species. The selection's
    // fields: TipoDeLancamento, NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto,
    // CodigoDoServicoOuCodigoInternoDoProduto, NomeDoServicoOuNomeDoProduto, Quantidade,
    // ValorUnitario, DescontoEmPercentual, DescontoEmValor, ValorTotal, Custo,
    // SeNecessario (Boolean). ForaDoCadastro names the items left out (no longer in the
    // registry or inactive), one a line.
    virtual qint16 ItensParaOPeso(qint64 llonCodigoDoPacote, const QString& lstrPeso,
                                  double ldouCodigoDoCliente, qint32 llonCodigoDoAnimal) = 0;
    // Status protocol: the animal's last weight given with a quote ("3,8"; empty: none).
    virtual qint16 LerUltimoPeso(qint32 llonCodigoDoAnimal) = 0;
    // Status protocol: a stored quote's estimate: ValorMinimo without its items "se
    // necessário", ValorMaximo with them (its stored net value); unknown: refused (3).
    virtual qint16 LerEstimativa(double ldouNumeroDoOrcamento) = 0;

    QPointer<QObject> DadosDoUsuario;
    PacoteDeProcedimentos Pacote;
    double CodigoGerado = 0;
    QString ForaDoCadastro;
    QString UltimoPeso;
    VB::Currency ValorMinimo, ValorMaximo;
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

// The company's quote settings: what a quote's sheet says beyond its items (validity,
// payment conditions, the deposit and its PIX code), kept beside the company record.
class clsConfiguracoesDoOrcamento : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Status protocol. Reads the first company's settings into the properties below
    // (the defaults where none were saved yet) and its identification (read only here);
    // with no company registered it is refused (3).
    virtual qint16 Ler() = 0;
    // Status protocol. Checks and stores the properties below, in one unit of work: a
    // bad value is rejected (2) with NomeDoCampoValidado and DescricaoDaFalha, changing
    // nothing; a user who is not an administrator, or no company registered, is
    // refused (3). The PIX key is stored as VerificarChave gives it (a CPF as digits).
    virtual qint16 Gravar() = 0;

    QPointer<QObject> DadosDoUsuario;
    QString NomeDoCampoValidado;

    // The company record's own fields, edited here too.
    qint32 QuantidadeDeDiasParaAValidadeDoOrcamento = 10;
    bool PermissaoParaAlterarADataDeValidadeDoOrcamento = false;
    // The deposit asked when a quote is approved: a percentage of the approved value
    // (0: none) and whether it is given back when the procedure is not done.
    VB::Currency PercentualDoSinal;
    bool SinalReembolsavel = false;
    // The PIX key (empty: no PIX code anywhere) and the receiver's name and city, as the
    // payer's bank app shows them.
    QString ChavePix;
    QString NomeDoRecebedor;
    QString CidadeDoRecebedor;
    QString CondicoesDePagamento; // "À vista no Pix ou em até 6x no cartão"
    // The consent a client signs for procedures with risks, the veterinarian who
    // answers for them, and the service types (their codes) that need it.
    QString TextoDeConsentimento;
    QString VeterinarioResponsavel;
    QString CRMV;
    QString UFDoCRMV;
    QList<qint32> TiposDeServicosComConsentimento;

    // Read only: the clinic as its sheet names it (the company record).
    QString NomeFantasia;
    QString RazaoSocial;
    QString CNPJ;
    QString Endereco; // one line: street, number, complement, district, city/UF, CEP
    QString Telefone;
};

} // namespace ZELT_N_Empresa
