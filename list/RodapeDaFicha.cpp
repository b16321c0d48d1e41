#include "list/RodapeDaFicha.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Pix.h"
#include "contracts/Sinal.h"
#include "list/drFicha.h"
#include "platform/QrCode.h"

namespace RodapeDaFicha {
namespace {

// The approved value of the quote's approval in force; nothing when it has none or
// cannot be read (a quote being saved elsewhere, a lost connection): the sheet then asks
// no deposit rather than a wrong one.
std::optional<VB::Currency> ValorAprovado(double numero) {
    auto aprovacao =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    aprovacao->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (aprovacao->Ler(numero) != Resultado::Sucesso || !aprovacao->Aprovado) return std::nullopt;
    return aprovacao->ValorAprovado;
}

void Legenda(drFicha& ficha, const QString& controle, const QString& texto) {
    ficha.Sections(QStringLiteral("RodapeDoOrcamento"))->Controls(controle)->setCaption(texto);
}

void LegendasNumeradas(drFicha& ficha, const QString& prefixo, const QStringList& linhas) {
    for (int i = 1; i <= 3; ++i)
        Legenda(ficha, prefixo + QString::number(i), linhas.value(i - 1));
}

} // namespace

std::optional<Dados> Ler(double numero, const QString& dataDeValidade) {
    auto c = Zelt::CriarObjeto<ZELT_N_Empresa::clsConfiguracoesDoOrcamento>(ProgId::ConfiguracoesDoOrcamento);
    c->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (c->Ler() != Resultado::Sucesso) {
        ExibirErroDoNegocio(*c);
        return std::nullopt;
    }
    Dados d;
    d.DataDeValidade = dataDeValidade;
    d.CondicoesDePagamento = c->CondicoesDePagamento;
    d.Empresa = c->RazaoSocial.trimmed().isEmpty() ? c->NomeFantasia.trimmed() : c->RazaoSocial.trimmed();
    if (!c->CNPJ.trimmed().isEmpty()) d.Empresa += QStringLiteral(" - CNPJ ") + c->CNPJ.trimmed();
    d.Endereco = c->Endereco;
    if (!c->Telefone.trimmed().isEmpty()) d.Telefone = QStringLiteral("Telefone: ") + c->Telefone.trimmed();
    // The deposit is asked of an approved quote only, from the value approved (the items
    // the client declined are out of it).
    const std::optional<VB::Currency> aprovado =
        c->PercentualDoSinal > VB::Currency() ? ValorAprovado(numero) : std::nullopt;
    if (aprovado) {
        const VB::Currency sinal = Sinal::Valor(*aprovado, c->PercentualDoSinal);
        d.LinhaDoSinal = Sinal::Linha(sinal, c->PercentualDoSinal);
        d.TextoDoReembolso = Sinal::TextoDoReembolso(c->SinalReembolsavel);
        if (!c->ChavePix.isEmpty() && sinal > VB::Currency())
            d.CopiaECola = Pix::CopiaECola({c->ChavePix, c->NomeDoRecebedor, c->CidadeDoRecebedor, sinal,
                                            Pix::IdentificadorDoOrcamento(static_cast<qint64>(numero))});
    }
    return d;
}

void Preencher(drFicha& ficha, const Dados& d) {
    Legenda(ficha, QStringLiteral("lblValidade"),
            d.DataDeValidade.isEmpty() ? QString() : QStringLiteral("Válido até ") + d.DataDeValidade);
    LegendasNumeradas(ficha, QStringLiteral("lblCondicoesDePagamento"),
                      Linhas(d.CondicoesDePagamento, drFicha::CaracteresPorLinhaDasCondicoes, 3));
    ficha.Sections(QStringLiteral("RodapeDoOrcamento"))
        ->Controls(QStringLiteral("lblCondicoesDePagamento_Titulo"))
        ->setVisible(!d.CondicoesDePagamento.trimmed().isEmpty());
    Legenda(ficha, QStringLiteral("lblEmpresa"), d.Empresa);
    Legenda(ficha, QStringLiteral("lblEnderecoDaEmpresa"), d.Endereco);
    Legenda(ficha, QStringLiteral("lblTelefoneDaEmpresa"), d.Telefone);

    Section* secao = ficha.Sections(QStringLiteral("RodapeDoOrcamento"));
    const bool comSinal = !d.LinhaDoSinal.isEmpty();
    secao->setHeight(comSinal ? drFicha::AlturaComSinal : drFicha::AlturaSemSinal);
    for (const QString& controle : drFicha::ControlesDoSinal)
        secao->Controls(controle)->setVisible(comSinal);
    if (!comSinal) return;
    Legenda(ficha, QStringLiteral("lblSinal"), d.LinhaDoSinal);
    Legenda(ficha, QStringLiteral("lblReembolso"), d.TextoDoReembolso);
    const bool comPix = !d.CopiaECola.isEmpty();
    for (const char* controle : {"imgQrCodePix", "lblCopiaECola_Titulo"})
        secao->Controls(QString::fromLatin1(controle))->setVisible(comPix);
    // Eight pixels to a module: sharp on paper at any printer's resolution.
    static_cast<RptImage*>(secao->Controls(QStringLiteral("imgQrCodePix")))
        ->setPicture(comPix ? QrCode::Imagem(d.CopiaECola, 8) : QImage());
    // The payload is cut at fixed places, never between words: it has its own blanks.
    QStringList partes;
    for (int i = 0; i < 3; ++i)
        partes << d.CopiaECola.mid(i * drFicha::CaracteresPorLinhaDoPix, drFicha::CaracteresPorLinhaDoPix);
    LegendasNumeradas(ficha, QStringLiteral("lblCopiaECola"), partes);
}

QStringList Linhas(const QString& texto, int porLinha, int linhas) {
    QStringList resultado;
    QString atual;
    const QStringList palavras = texto.simplified().split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < palavras.size(); ++i) {
        QString palavra = palavras.at(i);
        // A word longer than a line is broken where the line ends.
        while (palavra.size() > porLinha) {
            if (!atual.isEmpty()) {
                resultado << atual;
                atual.clear();
            }
            resultado << palavra.left(porLinha);
            palavra = palavra.mid(porLinha);
        }
        if (atual.isEmpty())
            atual = palavra;
        else if (atual.size() + 1 + palavra.size() <= porLinha)
            atual += u' ' + palavra;
        else {
            resultado << atual;
            atual = palavra;
        }
    }
    if (!atual.isEmpty()) resultado << atual;
    if (resultado.size() > linhas) {
        resultado.resize(linhas);
        resultado.last() += QStringLiteral("…");
    }
    return resultado;
}

} // namespace RodapeDaFicha
