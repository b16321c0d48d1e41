#include "platform/reports/PaginacaoDoRelatorio.h"

#include "platform/reports/ControlesDoRelatorio.h"

PaginacaoDoRelatorio::PaginacaoDoRelatorio(int alturaUtil, int alturaDoCabecalho, int alturaDoRodape,
                                           int alturaDoDetalhe, qint32 totalDeLinhas,
                                           int alturaDoRodapeDoRelatorio)
    : mlonTotalDeLinhas(std::max<qint32>(totalDeLinhas, 0)) {
    if (alturaDoDetalhe <= 0)
        throw VB::ErroDeExecucao(380, QStringLiteral("A seção de detalhes do relatório não tem altura."));
    const int alturaDasLinhas = alturaUtil - alturaDoCabecalho - alturaDoRodape;
    if (alturaDasLinhas < alturaDoDetalhe)
        throw VB::ErroDeExecucao(380,
                                 QStringLiteral("As seções do relatório não cabem na altura da página."));
    mlonLinhasPorPagina = alturaDasLinhas / alturaDoDetalhe;
    if (alturaDoRodapeDoRelatorio <= 0) return;
    if (alturaDoRodapeDoRelatorio > alturaDasLinhas)
        throw VB::ErroDeExecucao(380, QStringLiteral("O rodapé do relatório não cabe na altura da página."));
    mbooRodapeDoRelatorio = true;
    // Only the last page's rows decide: the pages before it stay as they were.
    const qint32 naUltima =
        mlonTotalDeLinhas == 0 ? 0 : mlonTotalDeLinhas - (PaginasDasLinhas() - 1) * mlonLinhasPorPagina;
    mbooPaginaDoRodape = naUltima * alturaDoDetalhe + alturaDoRodapeDoRelatorio > alturaDasLinhas;
}

qint32 PaginacaoDoRelatorio::PaginasDasLinhas() const {
    if (mlonTotalDeLinhas == 0) return 1;
    return static_cast<qint32>((static_cast<qint64>(mlonTotalDeLinhas) + mlonLinhasPorPagina - 1) /
                               mlonLinhasPorPagina);
}

qint32 PaginacaoDoRelatorio::QuantidadeDePaginas() const {
    return PaginasDasLinhas() + (mbooPaginaDoRodape ? 1 : 0);
}

qint32 PaginacaoDoRelatorio::PrimeiraLinha(qint32 pagina) const {
    if (pagina < 1 || pagina > QuantidadeDePaginas()) throw VB::ErroDeExecucao(380);
    return static_cast<qint32>(static_cast<qint64>(pagina - 1) * mlonLinhasPorPagina);
}

qint32 PaginacaoDoRelatorio::LinhasNaPagina(qint32 pagina) const {
    return std::clamp(mlonTotalDeLinhas - PrimeiraLinha(pagina), 0, mlonLinhasPorPagina);
}

LeitorDePaginas::LeitorDePaginas(RecordsetPtr fonte, QList<const RptTextBox*> caixas,
                                 PaginacaoDoRelatorio paginacao, QDate emissao)
    : mfonte(std::move(fonte)), mcaixas(std::move(caixas)), mpaginacao(paginacao), mdatEmissao(emissao) {}

PaginaDoRelatorio LeitorDePaginas::Ler(qint32 pagina) const {
    PaginaDoRelatorio resultado{
        pagina, mpaginacao.QuantidadeDePaginas(), mdatEmissao, mpaginacao.ComRodapeDoRelatorio(pagina), {}};
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
