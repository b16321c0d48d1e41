#include "list/RodapeDaFicha.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Pix.h"
#include "contracts/Sinal.h"
#include "contracts/Textos.h"
#include "list/drFicha.h"
#include "platform/QrCode.h"

#include <functional>

namespace RodapeDaFicha {
namespace {

QString Data(const QDateTime& dataEHora) {
    return dataEHora.toString(QStringLiteral("dd/MM/yyyy"));
}

// The names of the quote's items that pass the test (given an item's number and its mark
// "se necessário"), in the quote's order: a service's name, else the product's.
QStringList NomesDosItens(double numero, const std::function<bool(qint32, bool)>& escolhido) {
    auto orcItens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
    orcItens->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    qint16 tamanho = 0;
    double n = numero;
    QStringList nomes;
    if (VB::CBool(orcItens->Selecionar(1, tamanho, 0, n))) return nomes;
    const RecordsetPtr rs = orcItens->ResultadoDaSelecaoEmRecordSet();
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        const auto campo = [&](const char* nome) {
            return rs->Fields(QString::fromLatin1(nome)).Value.toString().trimmed();
        };
        if (!escolhido(campo("NumeroDoItemDoOrcamento").toInt(), campo("SeNecessario") == u"1")) continue;
        const QString servico = campo("NomeDoServico");
        nomes << (servico.isEmpty() ? campo("NomeDoProduto") : servico);
    }
    return nomes;
}

// The range of a quote with items "se necessário": its line and those items. Nothing
// when it has none, or when it cannot be read (the sheet then prints as it always did).
void LerEstimativa(double numero, Dados& d) {
    auto pacotes =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos);
    pacotes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (pacotes->LerEstimativa(numero) != Resultado::Sucesso || pacotes->ValorMinimo == pacotes->ValorMaximo)
        return;
    d.Estimativa = QStringLiteral("Estimativa: ") + Faixa(pacotes->ValorMinimo, pacotes->ValorMaximo);
    d.ItensSeNecessario =
        QStringLiteral("Itens se necessário (fora do valor mínimo): ") +
        NomesDosItens(numero, [](qint32, bool marcado) { return marcado; }).join(QStringLiteral(", "));
}

// The approval's lines from what clsAprovacaoDoOrcamento read.
Dados::BlocoDaAprovacao LinhasDaAprovacao(double numero,
                                          const ZELT_N_Orcamentos::clsAprovacaoDoOrcamento& a) {
    Dados::BlocoDaAprovacao d;
    if (!a.ItensRecusados.isEmpty())
        d.ItensRecusados = QStringLiteral("Itens recusados pelo cliente (fora do total aprovado): ") +
                           NomesDosItens(numero, [&](qint32 item, bool) {
                               return a.ItensRecusados.contains(item);
                           }).join(QStringLiteral(", "));
    d.TotalAprovado = QStringLiteral("Total aprovado: ") + Faixa(a.ValorAprovadoMinimo, a.ValorAprovado);
    const QString cpf =
        a.CPF.isEmpty() ? QString() : QStringLiteral(" (CPF %1)").arg(Textos::CpfMascarado(a.CPF));
    d.Linha = QStringLiteral("Aprovado por %1%2 em %3, %4")
                  .arg(a.Responsavel, cpf, Data(a.DataEHoraDaAprovacao), a.Meio);
    d.Assinatura = QImage::fromData(a.Assinatura, "PNG");
    // The net of payments and reversals: a deposit wholly reversed is no longer received.
    if (a.ValorPago > VB::Currency())
        d.SinalRecebido = QStringLiteral("Sinal recebido: %1 em %2")
                              .arg(Textos::EmReais(a.ValorPago), Data(a.DataEHoraDoUltimoPagamento));
    return d;
}

void Legenda(drFicha& ficha, const QString& controle, const QString& texto) {
    ficha.Sections(QStringLiteral("RodapeDoOrcamento"))->Controls(controle)->setCaption(texto);
}

void LegendasNumeradas(drFicha& ficha, const QString& prefixo, const QStringList& linhas) {
    for (int i = 1; i <= 3; ++i)
        Legenda(ficha, prefixo + QString::number(i), linhas.value(i - 1));
}

// The approval's lines that apply, one under the other, and the section as high as they
// are; hidden for a quote not approved.
void PreencherAprovacao(drFicha& ficha, const Dados::BlocoDaAprovacao& a) {
    Section* secao = ficha.Sections(QStringLiteral("AprovacaoDoOrcamento"));
    for (const QString& controle : drFicha::ControlesDaAprovacao)
        secao->Controls(controle)->setVisible(false);
    secao->setVisible(!a.Linha.isEmpty());
    if (a.Linha.isEmpty()) return;
    int topo = 180;
    const auto empilhar = [&](const QString& nome, const QString& texto) {
        if (texto.isEmpty()) return;
        RptControl* controle = secao->Controls(nome);
        controle->setCaption(texto);
        controle->setTop(topo);
        controle->setVisible(true);
        topo += controle->Height() + 60;
    };
    const QStringList recusados = Linhas(a.ItensRecusados, drFicha::CaracteresPorLinhaDosRecusados, 2);
    empilhar(QStringLiteral("lblItensRecusados1"), recusados.value(0));
    empilhar(QStringLiteral("lblItensRecusados2"), recusados.value(1));
    empilhar(QStringLiteral("lblTotalAprovado"), a.TotalAprovado);
    empilhar(QStringLiteral("lblAprovacao"), a.Linha);
    if (!a.Assinatura.isNull()) {
        auto* imagem = static_cast<RptImage*>(secao->Controls(QStringLiteral("imgAssinatura")));
        // Its own aspect, at most the height and width the sheet gives it.
        QSize tamanho = a.Assinatura.size().scaled(drFicha::LarguraMaximaDaAssinatura,
                                                   drFicha::AlturaDaAssinatura, Qt::KeepAspectRatio);
        imagem->setPicture(a.Assinatura);
        imagem->setTop(topo);
        imagem->setWidth(tamanho.width());
        imagem->setHeight(tamanho.height());
        imagem->setVisible(true);
        topo += tamanho.height() + 60;
    }
    empilhar(QStringLiteral("lblSinalRecebido"), a.SinalRecebido);
    secao->setHeight(topo + 60);
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
    LerEstimativa(numero, d);
    // The approval in force, when the quote has one and it can be read (a quote being
    // saved elsewhere, a lost connection): otherwise the sheet says nothing of an approval
    // and asks no deposit rather than a wrong one.
    auto aprovacao =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    aprovacao->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (aprovacao->Ler(numero) != Resultado::Sucesso || !aprovacao->Aprovado) return d;
    d.Aprovacao = LinhasDaAprovacao(numero, *aprovacao);
    // The deposit comes from the value approved (the items the client declined are out of
    // it), its low end when items "se necessário" make it a range: what is done at the least. Once the
    // payments reach it, it is no longer asked (nor its PIX code offered, which would invite paying twice):
    // "Sinal recebido" says it was paid. A deposit paid in part is still asked whole: the sheet shows what
    // was received beside it.
    const VB::Currency sinal = Sinal::Valor(aprovacao->ValorAprovadoMinimo, c->PercentualDoSinal);
    if (c->PercentualDoSinal > VB::Currency() && aprovacao->ValorPago < sinal) {
        d.LinhaDoSinal = Sinal::Linha(sinal, c->PercentualDoSinal,
                                      aprovacao->ValorAprovadoMinimo != aprovacao->ValorAprovado);
        d.TextoDoReembolso = Sinal::TextoDoReembolso(c->SinalReembolsavel);
        if (!c->ChavePix.isEmpty() && sinal > VB::Currency())
            d.CopiaECola = Pix::CopiaECola({c->ChavePix, c->NomeDoRecebedor, c->CidadeDoRecebedor, sinal,
                                            Pix::IdentificadorDoOrcamento(static_cast<qint64>(numero))});
    }
    return d;
}

void Preencher(drFicha& ficha, const Dados& d) {
    Section* estimativa = ficha.Sections(QStringLiteral("EstimativaDoOrcamento"));
    estimativa->setVisible(!d.Estimativa.isEmpty());
    estimativa->Controls(QStringLiteral("lblEstimativa"))->setCaption(d.Estimativa);
    const QStringList itens = Linhas(d.ItensSeNecessario, drFicha::CaracteresPorLinhaDosRecusados, 2);
    for (int i = 1; i <= 2; ++i)
        estimativa->Controls(QStringLiteral("lblItensSeNecessario") + QString::number(i))
            ->setCaption(itens.value(i - 1));
    PreencherAprovacao(ficha, d.Aprovacao);
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

QString Faixa(VB::Currency minimo, VB::Currency maximo) {
    return minimo == maximo
               ? Textos::EmReais(maximo)
               : QStringLiteral("de %1 a %2").arg(Textos::EmReais(minimo), Textos::EmReais(maximo));
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
