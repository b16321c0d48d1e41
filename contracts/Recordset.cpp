#include "contracts/Recordset.h"

void Recordset::SetPageSize(qint32 tamanho) {
    if (tamanho <= 0) throw VB::ErroDeExecucao(VB::ArgumentosInvalidos);
    mlonPageSize = tamanho;
}

qint32 Recordset::PageCount() const {
    const qint32 total = RecordCount();
    return total == 0 ? 0 : (total + mlonPageSize - 1) / mlonPageSize;
}

qint32 Recordset::AbsolutePage() const {
    if (RecordCount() == 0) return -1;
    if (Eof()) return -3;
    return AbsolutePosition0() / mlonPageSize + 1;
}

void Recordset::SetAbsolutePage(qint32 pagina) {
    if (pagina < 1 || pagina > PageCount()) throw VB::ErroDeExecucao(VB::ArgumentosInvalidos);
    MoverPara((pagina - 1) * mlonPageSize);
}

RecordsetEmMemoria::RecordsetEmMemoria(QStringList campos) : mcampos(std::move(campos)) {}

void RecordsetEmMemoria::AdicionarLinha(QList<QVariant> valores) {
    valores.resize(mcampos.size());
    mlinhas.append(std::move(valores));
}

QString RecordsetEmMemoria::FieldName(qint32 indice) const {
    if (indice < 0 || indice >= mcampos.size()) throw VB::ErroDeExecucao(VB::ItemNaoEncontrado);
    return mcampos.at(indice);
}

Field RecordsetEmMemoria::Fields(const QString& nome) const {
    // Field names are matched without regard to letter case, as ADO matches them.
    qsizetype indice = -1;
    for (qsizetype i = 0; i < mcampos.size() && indice < 0; ++i)
        if (mcampos.at(i).compare(nome, Qt::CaseInsensitive) == 0) indice = i;
    if (indice < 0) throw VB::ErroDeExecucao(VB::ItemNaoEncontrado);
    if (Eof()) throw VB::ErroDeExecucao(VB::SemRegistroAtual);
    return Field{mcampos.at(indice), mlinhas.at(mlonPosicao).at(indice)};
}

void RecordsetEmMemoria::MoveNext() {
    if (Eof()) throw VB::ErroDeExecucao(VB::SemRegistroAtual);
    ++mlonPosicao;
}

void RecordsetEmMemoria::MoverPara(qint32 posicao0) {
    mlonPosicao = std::clamp(posicao0, 0, RecordCount());
}
