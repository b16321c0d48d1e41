#include "business/OrcamentoGravado.h"

#include "business/Banco.h"
#include "business/Objetos.h"
#include "business/Relogio.h"

namespace GravacaoDeOrcamentos {

OrcamentoGravado LerParaAtualizar(double numero, const QString& alteracaoLida, const QString& consequencia) {
    const auto codigo = Objetos::CodigoDoDouble(numero);
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, "
                                       "Situacao, DataEHoraDaInclusao, DataEHoraDaAlteracao, "
                                       "UsuarioDaAlteracao, UltimoNumeroDeItem FROM Orcamentos WHERE "
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
