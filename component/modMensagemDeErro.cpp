#include "component/modMensagemDeErro.h"

#include "component/modConstantes.h"
#include "component/modPrincipal.h"
#include "contracts/ComponentesDaSuite.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"

#include <QtDebug>

QVariant ExibirMensagemDeErro(QVariant Numero, QVariant Descricao, QVariant Local) {
    auto lobjMensagem = Zelt::CriarObjeto<ZELT_A_MsgErro::clsMensagem>(ProgId::MsgErro);
    QVariant lvarNomeDaAplicacao = modPrincipal::NomeDaAplicacao;
    lobjMensagem->Exibir(Numero, Descricao, Local, lvarNomeDaAplicacao);
    return QVariant();
}

QString LocalDoErro(QStringView objeto, QStringView procedimento, qint16 Ponto) {
    return modConstantes::NomeDoComponente + QStringLiteral(", ") + objeto + QStringLiteral(", ") +
           procedimento + QStringLiteral(", Ponto: ") + QString::number(Ponto);
}

void ReportarErroCapturado(long numero, const QString& descricao, QStringView objeto,
                           QStringView procedimento, qint16 Ponto) {
    const QString local = LocalDoErro(objeto, procedimento, Ponto);
    try {
        ExibirMensagemDeErro(static_cast<qint32>(numero), descricao, local);
    } catch (...) {
        // The error display itself failed: nothing is left to show it with, and no
        // error may reach the host.
        qWarning().noquote() << "Erro não exibido:" << numero << descricao << local;
    }
}

void ExibirErroDoNegocio(const ObjetoDeNegocio& objeto) {
    ExibirMensagemDeErro(static_cast<qint32>(objeto.NumeroDoErro), objeto.DescricaoDoErro,
                         objeto.LocalDoErro);
}

void ExibirResultadoDoNegocio(const ObjetoDeNegocio& objeto, qint16 resultado) {
    if (resultado == Resultado::Rejeitado)
        Plataforma::MsgBox(objeto.DescricaoDaFalha, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
    else if (resultado == Resultado::Recusado)
        Plataforma::MsgBox(objeto.DescricaoDaFalha, Plataforma::vbCritical, modPrincipal::NomeDaAplicacao);
    else if (resultado != Resultado::Sucesso)
        ExibirErroDoNegocio(objeto);
}
