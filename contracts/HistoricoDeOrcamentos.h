#pragma once
// The history of the quotes, as the host's windows see it: every version a quote had
// (one entry per inclusion, change, item removal, deletion and restoration, each with
// a whole copy of the quote), the quotes deleted, and their restoration. Same result
// protocol as the other business objects (contracts/Negocio.h).

#include "contracts/Negocio.h"

#include <QDateTime>

namespace ProgId {
inline const QString Historico = QStringLiteral("ZELT_N_Orcamentos.clsHistorico");
} // namespace ProgId

namespace ZELT_N_Orcamentos {

// What each history entry says happened to the quote.
namespace OperacaoDoHistorico {
inline const QString Incluido = QStringLiteral("incluído");
inline const QString Alterado = QStringLiteral("alterado");
inline const QString ItemRemovido = QStringLiteral("item removido");
inline const QString Excluido = QStringLiteral("excluído");
inline const QString Restaurado = QStringLiteral("restaurado");
// A send of the quote's sheet to its client: "enviado por e-mail", "enviado por
// WhatsApp". The copy is the quote as it was sent (a send never changes it).
inline QString EnviadoPor(const QString& canal) {
    return QStringLiteral("enviado por ") + canal;
}
// The stage changes (clsEtapasDoOrcamento); a refusal names its reason: "recusado: Preço".
inline const QString EntregueAoCliente = QStringLiteral("entregue ao cliente");
inline const QString Aprovado = QStringLiteral("aprovado");
inline const QString AprovadoEmParte = QStringLiteral("aprovado em parte");
inline QString RecusadoPor(const QString& motivo) {
    return QStringLiteral("recusado: ") + motivo;
}
inline const QString Concluido = QStringLiteral("concluído");
// A new validity date, the items re-priced at the registry's prices of the day or kept.
inline const QString Renovado = QStringLiteral("renovado");
// An approval undone, asked for or by a change of the approved quote; the copy is the
// quote as it was approved.
inline const QString AprovacaoDesfeita = QStringLiteral("aprovação desfeita");
// The quotes a database already held when it began keeping history: their version
// at that moment, dated with its own last stamp.
inline const QString JaExistente = QStringLiteral("já existente");
} // namespace OperacaoDoHistorico

class clsHistorico : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // The deleted quotes, newest deletion first; a text that is not blank keeps those
    // whose number, client code, nickname or name contains it (accents and case
    // ignored). Fields: NumeroDoOrcamento, CodigoDoCliente,
    // ApelidoOuNomeFantasiaDoCliente, NomeOuRazaoSocialDoCliente, ValorLiquido,
    // DataEHoraDaExclusao, UsuarioDaExclusao. A page size of 0 or less becomes 10.
    virtual QVariant SelecionarExcluidos(qint16& lintTamanhoDaPagina, const QString& lstrTexto) = 0;
    // One quote's history, newest first. Fields: NumeroDoRegistro, DataEHora, Usuario,
    // Operacao, ValorLiquido, QuantidadeDeItens.
    virtual QVariant SelecionarHistorico(double ldouNumeroDoOrcamento) = 0;
    // One version (a history entry): its items in the quote sheet's fields
    // (NumeroDoOrcamento, NomeDoServicoOuNomeDoProduto, NomeDoAnimal, Quantidade,
    // ValorUnitario, DescontoEmValor, ValorLiquido, TipoDeLancamento) and its header in
    // Versao.
    virtual QVariant SelecionarVersao(double ldouNumeroDoRegistro) = 0;
    // Puts a deleted quote back, as it was deleted and active. Administrators only
    // (DadosDoUsuario's "Administrador"): otherwise refused (3), as when another
    // workstation restored it first.
    virtual qint16 Restaurar(double ldouNumeroDoOrcamento) = 0;

    QPointer<QObject> DadosDoUsuario;

    struct CabecalhoDaVersao {
        double NumeroDoOrcamento = 0;
        QDateTime DataEHora;
        QString Usuario;
        QString Operacao;
        double CodigoDoCliente = 0;
        QString ApelidoOuNomeFantasiaDoCliente;
        QString NomeOuRazaoSocialDoCliente;
        VB::Currency ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido;
    };
    // After SelecionarVersao.
    CabecalhoDaVersao Versao;
};

} // namespace ZELT_N_Orcamentos
