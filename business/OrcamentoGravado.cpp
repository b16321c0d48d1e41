#include "business/OrcamentoGravado.h"

#include "business/Banco.h"
#include "business/Objetos.h"
#include "business/Relogio.h"
#include "contracts/Negocio.h"

namespace GravacaoDeOrcamentos {

OrcamentoGravado LerTravado(double numero, const QString& consequencia) {
    const auto codigo = Objetos::CodigoDoDouble(numero);
    QSqlQuery q =
        // The stage comes with the quote: what a change may do depends on it (an
        // approved quote's change undoes the approval).
        Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, "
                                       "Situacao, DataEHoraDaInclusao, DataEHoraDaAlteracao, "
                                       "UsuarioDaAlteracao, UltimoNumeroDeItem, DataDeValidadeDoOrcamento, "
                                       "(SELECT e.Etapa FROM EtapasDoOrcamento e WHERE e.NumeroDoOrcamento = "
                                       "Orcamentos.NumeroDoOrcamento) AS Etapa FROM Orcamentos WHERE "
                                       "NumeroDoOrcamento = ?") +
                            Banco::DialetoAtual().ParaAtualizacao(),
                        {codigo ? *codigo : qint64(-1)});
    if (!q.next())
        Objetos::Recusar(
            QStringLiteral("O orçamento %1 não existe mais: ele foi excluído por outro usuário. %2.")
                .arg(VB::CStr(numero), consequencia));
    OrcamentoGravado gravado;
    gravado.Numero = Banco::Coluna(q, "NumeroDoOrcamento").toLongLong();
    gravado.DataDoOrcamento = Banco::DataDeIso(Banco::Coluna(q, "DataDoOrcamento").toString());
    gravado.CodigoDoCliente = Banco::Coluna(q, "CodigoDoCliente").toLongLong();
    gravado.Situacao = Banco::Coluna(q, "Situacao").toInt();
    gravado.Inclusao = Banco::DataEHoraDeIso(Banco::Coluna(q, "DataEHoraDaInclusao").toString());
    const QVariant alteracao = Banco::Coluna(q, "DataEHoraDaAlteracao");
    if (!alteracao.isNull()) gravado.Alteracao = Banco::DataEHoraDeIso(alteracao.toString());
    gravado.UsuarioDaAlteracao = Banco::Coluna(q, "UsuarioDaAlteracao").toString();
    gravado.UltimoNumeroDeItem = Banco::Coluna(q, "UltimoNumeroDeItem").toLongLong();
    gravado.Validade = Banco::DataDeIso(Banco::Coluna(q, "DataDeValidadeDoOrcamento").toString());
    const QVariant etapa = Banco::Coluna(q, "Etapa");
    gravado.Etapa = etapa.isNull() ? ZELT_N_Orcamentos::Etapa::EmAberto : etapa.toString();
    return gravado;
}

OrcamentoGravado LerParaAtualizar(double numero, const QString& alteracaoLida, const QString& consequencia) {
    const OrcamentoGravado gravado = LerTravado(numero, consequencia);
    const QString gravada = TextoDaDataEHora(gravado.Alteracao);
    if (alteracaoLida.trimmed() == gravada) return gravado;
    const QString quem = gravado.Alteracao.isValid()
                             ? QStringLiteral(" por %1 em %2")
                                   .arg(gravado.UsuarioDaAlteracao, TextoDaDataEHora(gravado.Alteracao))
                             : QString();
    Objetos::Recusar(
        QStringLiteral("O orçamento %1 foi alterado%2, depois que este formulário o leu. %3: feche "
                       "o formulário e abra o orçamento novamente.")
            .arg(QString::number(gravado.Numero), quem, consequencia));
}

QDateTime CarimboSeguinte(const OrcamentoGravado& gravado) {
    QDateTime anterior = gravado.Inclusao;
    if (gravado.Alteracao.isValid() && gravado.Alteracao > anterior) anterior = gravado.Alteracao;
    const QDateTime agora = Relogio::Agora();
    return agora > anterior ? agora : anterior.addSecs(1);
}

QString TextoDaDataEHora(const QDateTime& dataHora) {
    return dataHora.isValid() ? VB::CStr(dataHora) : QString();
}

} // namespace GravacaoDeOrcamentos
