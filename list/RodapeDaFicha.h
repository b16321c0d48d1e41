#pragma once
// What the quote sheet says after its items (drFicha's RodapeDoOrcamento): the validity,
// the payment conditions and the clinic, from the company's quote settings; and for a
// quote approved ("Aprovado", "Aprovado em parte") when the clinic asks a deposit, the
// deposit computed from the value approved, with its PIX QR code and "copia e cola"
// when the clinic has a PIX key. The sends' messages carry the same deposit line and
// "copia e cola". For an approved quote also the section AprovacaoDoOrcamento: the
// declined items, the approved total, who approved, the signature, the deposit received.

#include "contracts/VB.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class drFicha;

namespace RodapeDaFicha {

struct Dados {
    QString DataDeValidade; // "DD/MM/YYYY"
    QString CondicoesDePagamento;
    QString Empresa; // "Razão social - CNPJ 00.000.000/0000-00"
    QString Endereco;
    QString Telefone;
    // A quote whose items "se necessário" make it a range: "Estimativa: de R$ 108,00 a R$
    // 458,00" and "Itens se necessário (fora do valor mínimo): Anestesia, Antibiótico";
    // both empty otherwise.
    QString Estimativa;
    QString ItensSeNecessario;
    // The deposit: its line empty when none is asked of this quote.
    QString LinhaDoSinal;
    QString TextoDoReembolso;
    QString CopiaECola; // empty without a PIX key
    // The approval in force; every line empty when the quote is not approved.
    struct BlocoDaAprovacao {
        // "Itens recusados pelo cliente (fora do total aprovado): Vacina, Exame"; empty
        // when none was declined.
        QString ItensRecusados;
        QString TotalAprovado; // "Total aprovado: R$ 108,00"
        // "Aprovado por Maria (CPF ***.456.789-**) em 06/12/2026, Presencial"
        QString Linha;
        QImage Assinatura; // null without one
        // "Sinal recebido: R$ 54,00 em 06/12/2026"; empty when nothing was paid.
        QString SinalRecebido;
    };
    BlocoDaAprovacao Aprovacao;
};

// Reads the settings and the quote's approval. Nothing when the settings cannot be read
// (the business layer's error already shown): the sheet is not printed without them.
std::optional<Dados> Ler(double numeroDoOrcamento, const QString& dataDeValidade);

// Fills the sheet's RodapeDoOrcamento, and its EstimativaDoOrcamento and
// AprovacaoDoOrcamento, shown when they apply.
void Preencher(drFicha& ficha, const Dados& dados);

// "R$ 108,00", or "de R$ 108,00 a R$ 458,00" for a range (an estimate, an approval).
QString Faixa(VB::Currency minimo, VB::Currency maximo);

// texto in at most linhas lines of at most porLinha characters, broken between words
// where it can; what does not fit ends the last line with "…".
QStringList Linhas(const QString& texto, int porLinha, int linhas);

} // namespace RodapeDaFicha
