#include "platform/reports/PaginacaoDoRelatorio.h"

#include "platform/reports/ControlesDoRelatorio.h"

PaginacaoDoRelatorio::PaginacaoDoRelatorio(int alturaUtil, int alturaDoCabecalho, int alturaDoRodape,
                                           int alturaDoDetalhe, qint32 totalDeLinhas)
    : mlonTotalDeLinhas(std::max<qint32>(totalDeLinhas, 0)) {
    if (alturaDoDetalhe <= 0)
        throw VB::ErroDeExecucao(380, QStringLiteral("A seção de detalhes do relatório não tem altura."));
    const int alturaDasLinhas = alturaUtil - alturaDoCabecalho - alturaDoRodape;
    if (alturaDasLinhas < alturaDoDetalhe)
        throw VB::ErroDeExecucao(380,
                                 QStringLiteral("As seções do relatório não cabem na altura da página."));
    mlonLinhasPorPagina = alturaDasLinhas / alturaDoDetalhe;
}

qint32 PaginacaoDoRelatorio::QuantidadeDePaginas() const {
    if (mlonTotalDeLinhas == 0) return 1;
    return static_cast<qint32>((static_cast<qint64>(mlonTotalDeLinhas) + mlonLinhasPorPagina - 1) /
                               mlonLinhasPorPagina);
}

qint32 PaginacaoDoRelatorio::PrimeiraLinha(qint32 pagina) const {
    if (pagina < 1 || pagina > QuantidadeDePaginas()) throw VB::ErroDeExecucao(380);
    return static_cast<qint32>(static_cast<qint64>(pagina - 1) * mlonLinhasPorPagina);
}

qint32 PaginacaoDoRelatorio::LinhasNaPagina(qint32 pagina) const {
    return std::min(mlonLinhasPorPagina, mlonTotalDeLinhas - PrimeiraLinha(pagina));
}

LeitorDePaginas::LeitorDePaginas(RecordsetPtr fonte, QList<const RptTextBox*> caixas,
                                 PaginacaoDoRelatorio paginacao, QDate emissao)
    : mfonte(std::move(fonte)), mcaixas(std::move(caixas)), mpaginacao(paginacao), mdatEmissao(emissao) {}

PaginaDoRelatorio LeitorDePaginas::Ler(qint32 pagina) const {
    PaginaDoRelatorio resultado{pagina, mpaginacao.QuantidadeDePaginas(), mdatEmissao, {}};
    const qint32 primeira = mpaginacao.PrimeiraLinha(pagina);
    const qint32 quantidade = mpaginacao.LinhasNaPagina(pagina);
    resultado.Linhas.reserve(quantidade);
    if (quantidade > 0) mfonte->MoverPara(primeira);
    for (qint32 i = 0; i < quantidade; ++i) {
        if (i > 0) mfonte->MoveNext();
        QStringList textos;
        textos.reserve(mcaixas.size());
        for (const RptTextBox* caixa : mcaixas) {
            const QString formato =
                caixa->CampoDoFormato().isEmpty()
                    ? caixa->DataFormat()
                    : caixa->FormatoDaLinha(VB::CStr(mfonte->Fields(caixa->CampoDoFormato()).Value));
            textos.append(TextoDoValor(mfonte->Fields(caixa->DataField()).Value, formato));
        }
        resultado.Linhas.append(std::move(textos));
    }
    return resultado;
}

QString LeitorDePaginas::TextoDoValor(const QVariant& valor, const QString& formato) {
    if (VB::IsNull(valor)) return {};
    return VB::Format(valor, formato);
}
