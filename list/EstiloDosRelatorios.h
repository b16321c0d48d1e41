#pragma once
// The look the two quote reports share, in one place: Arial in dark grey on white; a
// heading block with the company's name, the report's title and subtitle and, at the
// right, the issue date, closed by a rule; column headings on a light band; a footer
// with the application's name and the page number. Sizes in twips; both reports are
// 10145 twips wide.

#include "platform/controls/CoresVB.h"
#include "platform/reports/DataReport.h"

#include <span>

namespace EstiloDosRelatorios {

inline constexpr int Largura = 10145;
inline constexpr int CorDoTexto = CoresVB::RGB(40, 40, 40);
inline constexpr int CorSecundaria = CoresVB::RGB(100, 100, 100);
inline constexpr int CorDoFio = CoresVB::RGB(73, 73, 73);
inline constexpr int CorDasDivisorias = CoresVB::RGB(210, 210, 210);
inline constexpr int CorDaFaixa = CoresVB::RGB(236, 236, 236);
// Text boxes and headings keep this distance from the edges of a band.
inline constexpr int Recuo = 60;

// The paper: the reports' width and 850-twip margins all round.
inline void Papel(DataReport& relatorio, int orientacao, const QString& caption) {
    relatorio.setCaption(caption);
    relatorio.setOrientation(orientacao);
    relatorio.setReportWidth(Largura);
    relatorio.setLeftMargin(850);
    relatorio.setRightMargin(850);
    relatorio.setTopMargin(850);
    relatorio.setBottomMargin(850);
}

// A label one line high for its font, with a caption of the design (its "%d", "%p" and
// "%P" print the issue date and the pages; a caption the code sets later prints as given).
inline RptLabel* Rotulo(Section* secao, const QString& nome, const QString& caption, int left, int top,
                        int width, qreal pontos = 8, bool negrito = false,
                        int alinhamento = RptControleDeTexto::rptJustifyLeft, int cor = CorDoTexto) {
    auto* rotulo = secao->Adicionar<RptLabel>(nome, left, top, width, qRound(pontos * 25));
    rotulo->setCaptionDoDesenho(caption);
    rotulo->setFontSize(pontos);
    rotulo->setFontBold(negrito);
    rotulo->setAlignment(alinhamento);
    rotulo->setForeColor(cor);
    return rotulo;
}

// A text box bound to a field, one line high for its font.
inline RptTextBox* Caixa(Section* secao, const QString& nome, const QString& campo, int left, int top,
                         int width, qreal pontos = 8, int alinhamento = RptControleDeTexto::rptJustifyLeft,
                         const QString& formato = QString(), int cor = CorDoTexto) {
    auto* caixa = secao->Adicionar<RptTextBox>(nome, left, top, width, qRound(pontos * 25));
    caixa->setDataField(campo);
    caixa->setDataFormat(formato);
    caixa->setFontSize(pontos);
    caixa->setAlignment(alinhamento);
    caixa->setForeColor(cor);
    return caixa;
}

inline RptLine* Fio(Section* secao, const QString& nome, int top, int cor) {
    auto* fio = secao->Adicionar<RptLine>(nome, 0, top, Largura, 0);
    fio->setBorderColor(cor);
    return fio;
}

inline RptShape* Faixa(Section* secao, const QString& nome, int top, int height) {
    auto* faixa = secao->Adicionar<RptShape>(nome, 0, top, Largura, height);
    faixa->setBackStyle(1);
    faixa->setBackColor(CorDaFaixa);
    faixa->setBorderStyle(0);
    return faixa;
}

// The heading block at the top of the page header; the rule under it ends at 1130.
inline void Cabecalho(Section* secao, const QString& subtitulo) {
    Rotulo(secao, QStringLiteral("lblNomeFantasiaDaEmpresa"), QString(), 0, 0, 7000, 12, true);
    Rotulo(secao, QStringLiteral("lblEmissao"), QStringLiteral("Emissão: %d"), 7100, 60, Largura - 7100, 8,
           false, RptControleDeTexto::rptJustifyRight, CorSecundaria);
    Rotulo(secao, QStringLiteral("lblTitulo"), QString(), 0, 380, 7000, 14, true);
    Rotulo(secao, QStringLiteral("lblSubtitulo"), subtitulo, 0, 780, 7000, 9, false,
           RptControleDeTexto::rptJustifyLeft, CorSecundaria);
    auto* fio = Fio(secao, QStringLiteral("linCabecalho"), 1130, CorDoFio);
    fio->setBorderWidth(2);
}

// The footer: a rule, the application's name at the left, the page at the right.
inline void Rodape(Section* secao) {
    Fio(secao, QStringLiteral("linRodape"), 60, CorDasDivisorias);
    Rotulo(secao, QStringLiteral("lblTituloDoAplicativo"), QString(), 0, 140, 7000, 7, false,
           RptControleDeTexto::rptJustifyLeft, CorSecundaria)
        ->setFontItalic(true);
    Rotulo(secao, QStringLiteral("lblPagina"), QStringLiteral("Página: %p de %P"), 7100, 140, Largura - 7100,
           7, false, RptControleDeTexto::rptJustifyRight, CorSecundaria);
}

inline constexpr int AlturaDoRodape = 420;

// A column of a report: its text box, bound field, heading and place.
struct Coluna {
    const char16_t* Caixa;
    const char16_t* Campo;
    const char16_t* Titulo;
    int Left;
    int Width;
    int Alinhamento;
    const char16_t* Formato; // DataFormat of the text box, empty for the value's own text
};

// Each column's bold heading in the header (at topoDoTitulo) and its text box in the
// detail (at topoDaCaixa), in the same font size and colour. A heading is named after
// its text box: txtValorTotal is headed by lblValorTotal_Coluna (the sheet's captions
// over its values are lblValorTotal_Titulo and so on).
inline void Colunas(Section* cabecalho, int topoDoTitulo, Section* detalhes, int topoDaCaixa,
                    std::span<const Coluna> colunas, qreal pontos, int cor = CorDoTexto) {
    for (const Coluna& coluna : colunas) {
        const QString caixa = QString::fromUtf16(coluna.Caixa);
        Rotulo(cabecalho, QStringLiteral("lbl") + caixa.mid(3) + QStringLiteral("_Coluna"),
               QString::fromUtf16(coluna.Titulo), coluna.Left, topoDoTitulo, coluna.Width, pontos, true,
               coluna.Alinhamento, cor);
        Caixa(detalhes, caixa, QString::fromUtf16(coluna.Campo), coluna.Left, topoDaCaixa, coluna.Width,
              pontos, coluna.Alinhamento, QString::fromUtf16(coluna.Formato), cor);
    }
}

} // namespace EstiloDosRelatorios
