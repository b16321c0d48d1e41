#include "platform/reports/PintorDoRelatorio.h"

#include "contracts/Textos.h"
#include "platform/controls/CoresVB.h"
#include "platform/reports/DataReport.h"

#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

namespace {

constexpr int TwipsPorPonto = 20;
constexpr int TwipsPorPixel = 15;

// Pixel sizes in twips: the painter's unit is the twip. Unhinted, so that advances
// scale linearly and a text measures the same on the screen, on paper and in a PDF.
QFont FonteEmTwips(const RptControleDeTexto& c) {
    QFont fonte(c.FontName());
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPixelSize(qRound(c.FontSize() * TwipsPorPonto));
    fonte.setBold(c.FontBold());
    fonte.setItalic(c.FontItalic());
    fonte.setHintingPreference(QFont::PreferNoHinting);
    return fonte;
}

} // namespace

PintorDoRelatorio::PintorDoRelatorio(const DataReport& relatorio, const QList<const RptTextBox*>& caixas)
    : mrelatorio(relatorio) {
    for (const Section* secao : relatorio.ListaDeSecoes()) {
        if (!secao->Visible()) continue;
        SecaoPreparada preparada{secao, {}};
        for (const RptControl* controle : secao->ListaDeControles())
            if (controle->Visible())
                preparada.Controles.append(
                    Preparar(controle, caixas.indexOf(qobject_cast<const RptTextBox*>(controle))));
        switch (secao->TipoDaSecao()) {
        case Section::Tipo::CabecalhoDePagina:
            mcabecalhos.append(preparada);
            break;
        case Section::Tipo::Detalhes:
            mdetalhes.append(preparada);
            break;
        case Section::Tipo::RodapeDePagina:
            mrodapes.append(preparada);
            break;
        }
    }
}

PintorDoRelatorio::ControlePreparado PintorDoRelatorio::Preparar(const RptControl* controle, int indice) {
    ControlePreparado c{controle, QFont(), QFontMetricsF(QFont()), QRawFont(), 0, 0, 0, QColor(), indice};
    if (auto* texto = qobject_cast<const RptControleDeTexto*>(controle)) {
        c.Fonte = FonteEmTwips(*texto);
        c.Medidas = QFontMetricsF(c.Fonte);
        c.Bruta = QRawFont::fromFont(c.Fonte);
        c.GlifoDoEspaco = c.Bruta.glyphIndexesForString(QStringLiteral(" ")).value(0);
        const QList<quint32> reticencias = c.Bruta.glyphIndexesForString(QStringLiteral("…"));
        c.GlifoDasReticencias = reticencias.value(0);
        c.LarguraDasReticencias =
            c.Bruta.advancesForGlyphIndexes(reticencias, QRawFont::UseDesignMetrics).value(0).x();
        c.Cor = CoresVB::ParaQColor(texto->ForeColor());
    }
    return c;
}

void PintorDoRelatorio::Escalar(QPainter& p, QSize papel, QSizeF pagina) {
    const qreal escala = std::min(pagina.width() / papel.width(), pagina.height() / papel.height());
    p.scale(escala, escala);
}

QString PintorDoRelatorio::TextoDoRotulo(const QString& caption, const PaginaDoRelatorio& pagina) {
    if (!caption.contains(u'%')) return caption;
    QString texto = caption;
    texto.replace(QStringLiteral("%d"), VB::Format(pagina.Emissao, QStringLiteral("dd/mm/yyyy")));
    texto.replace(QStringLiteral("%p"), QString::number(pagina.Numero));
    texto.replace(QStringLiteral("%P"), QString::number(pagina.TotalDePaginas));
    return texto;
}

void PintorDoRelatorio::PintarPagina(QPainter& p, const PaginaDoRelatorio& pagina) const {
    // The headers and footers show the page's first row in any bound box they hold.
    const QStringList primeira = pagina.Linhas.value(0);
    qreal topo = mrelatorio.TopMargin();
    for (const SecaoPreparada& secao : mcabecalhos) {
        PintarSecao(p, secao, topo, primeira, pagina);
        topo += secao.Secao->Height();
    }
    for (const QStringList& linha : pagina.Linhas)
        for (const SecaoPreparada& secao : mdetalhes) {
            PintarSecao(p, secao, topo, linha, pagina);
            topo += secao.Secao->Height();
        }
    topo = mrelatorio.TamanhoDoPapel().height() - mrelatorio.BottomMargin() -
           mrelatorio.AlturaDaSecao(Section::Tipo::RodapeDePagina);
    for (const SecaoPreparada& secao : mrodapes) {
        PintarSecao(p, secao, topo, primeira, pagina);
        topo += secao.Secao->Height();
    }
}

void PintorDoRelatorio::PintarSecao(QPainter& p, const SecaoPreparada& secao, qreal topo,
                                    const QStringList& linha, const PaginaDoRelatorio& pagina) const {
    const QPointF origem(mrelatorio.LeftMargin(), topo);
    for (const ControlePreparado& c : secao.Controles) {
        const QRectF area = QRectF(c.Controle->Area()).translated(origem);
        if (auto* rotulo = qobject_cast<const RptLabel*>(c.Controle)) {
            PintarTexto(p, c, area.topLeft(),
                        rotulo->CaptionComCodigos() ? TextoDoRotulo(rotulo->Caption(), pagina)
                                                    : rotulo->Caption());
        } else if (c.IndiceDoTexto >= 0) {
            PintarTexto(p, c, area.topLeft(), linha.value(c.IndiceDoTexto));
        } else if (auto* imagem = qobject_cast<const RptImage*>(c.Controle)) {
            if (!imagem->Picture().isNull()) p.drawImage(area, imagem->Picture());
        } else if (auto* linhaReta = qobject_cast<const RptLine*>(c.Controle)) {
            p.setPen(QPen(CoresVB::ParaQColor(linhaReta->BorderColor()),
                          linhaReta->BorderWidth() * TwipsPorPixel, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(area.topLeft(), area.bottomRight());
        } else if (auto* forma = qobject_cast<const RptShape*>(c.Controle)) {
            p.setPen(forma->BorderStyle() == 1
                         ? QPen(CoresVB::ParaQColor(forma->BorderColor()), TwipsPorPixel)
                         : QPen(Qt::NoPen));
            p.setBrush(forma->BackStyle() == 1 ? QBrush(CoresVB::ParaQColor(forma->BackColor())) : QBrush());
            if (forma->Shape() == RptShape::rptShpRoundedRectangle)
                p.drawRoundedRect(area, 90, 90);
            else
                p.drawRect(area);
            p.setBrush(QBrush());
        }
    }
}

bool PintorDoRelatorio::PosicionarGlifos(const ControlePreparado& c, const QString& texto, qreal largura,
                                         QGlyphRun& corrida, qreal& avanco) {
    QList<quint32> glifos = c.Bruta.glyphIndexesForString(texto);
    if (glifos.contains(0u)) return false;
    const QList<QPointF> avancos = c.Bruta.advancesForGlyphIndexes(glifos, QRawFont::UseDesignMetrics);
    // Each glyph at a whole twip (a 57th of a millimetre): a PDF then writes every step
    // from one glyph to the next as a whole number, a quarter fewer bytes to compress,
    // and compressing is a third of the time a long list takes to become a PDF.
    QList<QPointF> posicoes(glifos.size());
    avanco = 0;
    for (qsizetype i = 0; i < glifos.size(); ++i) {
        posicoes[i] = QPointF(std::round(avanco), 0);
        avanco += avancos.at(i).x();
    }
    if (avanco > largura) {
        // As many glyphs as fit before the "…", without the blanks that end them.
        qsizetype cabem = 0;
        while (cabem < glifos.size() &&
               posicoes.at(cabem).x() + avancos.at(cabem).x() + c.LarguraDasReticencias <= largura)
            ++cabem;
        while (cabem > 0 && glifos.at(cabem - 1) == c.GlifoDoEspaco)
            --cabem;
        glifos.resize(cabem);
        posicoes.resize(cabem);
        avanco = cabem > 0 ? posicoes.at(cabem - 1).x() + avancos.at(cabem - 1).x() : 0;
        glifos.append(c.GlifoDasReticencias);
        posicoes.append(QPointF(avanco, 0));
        avanco += c.LarguraDasReticencias;
    }
    corrida.setRawFont(c.Bruta);
    corrida.setGlyphIndexes(glifos);
    corrida.setPositions(posicoes);
    return true;
}

void PintorDoRelatorio::PintarTexto(QPainter& p, const ControlePreparado& c, QPointF origem,
                                    QString texto) const {
    if (texto.isEmpty()) return;
    const qreal largura = c.Controle->Width();
    const int alinhamento = static_cast<const RptControleDeTexto*>(c.Controle)->Alignment();
    const auto inicio = [&](qreal avanco) {
        if (alinhamento == RptControleDeTexto::rptJustifyRight) return origem.x() + largura - avanco;
        if (alinhamento == RptControleDeTexto::rptJustifyCenter) return origem.x() + (largura - avanco) / 2;
        return origem.x();
    };
    const qreal linhaDeBase = origem.y() + c.Medidas.ascent();
    p.setPen(c.Cor);
    // Most texts are letters and digits the font has: their glyphs are placed straight
    // from the font's advances, without shaping, which is most of the cost of a long list.
    QGlyphRun corrida;
    qreal avanco = 0;
    if (PosicionarGlifos(c, texto, largura, corrida, avanco)) {
        p.drawGlyphRun(QPointF(inicio(avanco), linhaDeBase), corrida);
        return;
    }
    // A character the font lacks: shaped text, drawn with a font that has it.
    avanco = c.Medidas.horizontalAdvance(texto);
    if (avanco > largura) {
        texto = c.Medidas.elidedText(texto, Qt::ElideRight, largura);
        avanco = c.Medidas.horizontalAdvance(texto);
    }
    p.setFont(c.Fonte);
    p.drawText(QPointF(inicio(avanco), linhaDeBase), texto);
}

QPageLayout LayoutDaPagina(const DataReport& relatorio) {
    return QPageLayout(QPageSize(QPageSize::A4),
                       relatorio.Orientation() == DataReport::rptOrientLandscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait,
                       QMarginsF());
}

bool GerarPaginas(QPainter& p, QPagedPaintDevice& dispositivo, const DataReport& relatorio,
                  const LeitorDePaginas& leitor, qint32 de, qint32 ate,
                  const std::function<bool(qint32 pagina)>& progresso) {
    const PintorDoRelatorio pintor(relatorio, leitor.Caixas());
    p.save();
    PintorDoRelatorio::Escalar(p, relatorio.TamanhoDoPapel(),
                               QSizeF(dispositivo.width(), dispositivo.height()));
    bool completo = true;
    for (qint32 pagina = de; pagina <= ate; ++pagina) {
        if (pagina > de) dispositivo.newPage();
        pintor.PintarPagina(p, leitor.Ler(pagina));
        if (progresso && !progresso(pagina)) {
            completo = false;
            break;
        }
    }
    p.restore();
    return completo;
}

bool GravarPdf(const DataReport& relatorio, const LeitorDePaginas& leitor, const QString& caminho, qint32 de,
               qint32 ate, const std::function<bool(qint32 pagina)>& progresso) {
    // The pages go to a temporary file beside the target, which replaces the target only
    // once the whole document was written and closed without error: a failure, a
    // cancel or a full disk leaves a file that was there as it was.
    const bool existia = QFileInfo::exists(caminho);
    QSaveFile arquivo(caminho);
    const auto falha = [&](const QString& motivo) {
        arquivo.cancelWriting();
        QString descricao = QStringLiteral("Não foi possível gravar o arquivo \"") + caminho +
                            QStringLiteral("\" (") + motivo + QStringLiteral(").");
        if (existia) descricao += QStringLiteral(" O arquivo que já existia não foi alterado.");
        return VB::ErroDeExecucao(75, descricao);
    };
    if (!arquivo.open(QIODevice::WriteOnly)) throw falha(Textos::MotivoDaFalha(arquivo));
    bool completo = false;
    {
        QPdfWriter pdf(&arquivo);
        pdf.setPageLayout(LayoutDaPagina(relatorio));
        pdf.setTitle(relatorio.Caption());
        QPainter p;
        if (!p.begin(&pdf)) throw falha(QStringLiteral("o PDF não pôde ser iniciado"));
        completo = GerarPaginas(p, pdf, relatorio, leitor, de, ate, progresso);
        if (!p.end() && completo) throw falha(QStringLiteral("o PDF não pôde ser concluído"));
    }
    if (!completo) {
        arquivo.cancelWriting();
        return false;
    }
    if (!arquivo.commit()) throw falha(Textos::MotivoDaFalha(arquivo));
    // A PDF holds clients' data: the user's alone, also when it replaced a file that
    // others could read (the replacement keeps the old file's permissions).
    QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}
