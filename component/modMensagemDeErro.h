#pragma once
// The one way an error reaches the user, and the error trap every procedure uses.
//
// A procedure with a trap is written:
//
//     qint16 frmLista::GerarLista()
//     {
//         qint16 GerarLista = 1; // the function's result, as it stands when an error occurs
//         ComTratamentoDeErro(u"frmLista", u"GerarLista", [&](qint16& Ponto) {
//             Ponto = 1; ...first statement...
//             Ponto = 2; ...second statement...
//             GerarLista = 0;
//         });
//         return GerarLista;
//     }
//
// A run-time error in the body is shown through ExibirMensagemDeErro with the location
// "ZELT_A_Orcamentos, frmLista, GerarLista, Ponto: 2" and the procedure ends there.

#include "contracts/Negocio.h"
#include "contracts/VB.h"

#include <QString>
#include <QStringView>
#include <QVariant>
#include <exception>
#include <new>

// Creates ZELT_A_MsgErro.clsMensagem and calls its Exibir with the number, the
// description, the location and the application's name. It has no trap of its own.
QVariant ExibirMensagemDeErro(QVariant Numero, QVariant Descricao, QVariant Local);

// A business object's failure, shown with its own error triple (number, description,
// location), as every form reports one.
void ExibirErroDoNegocio(const ObjetoDeNegocio& objeto);
// A status method's answer told as every form tells it: a rejection (2) as information,
// a refusal (3) as a critical message, each with DescricaoDaFalha; an error (1) as above;
// success (0) says nothing.
void ExibirResultadoDoNegocio(const ObjetoDeNegocio& objeto, qint16 resultado);

// "<component>, <object>, <procedure>, Ponto: <n>"
QString LocalDoErro(QStringView objeto, QStringView procedimento, qint16 Ponto);

// Shows an error caught by a trap; never throws.
void ReportarErroCapturado(long numero, const QString& descricao, QStringView objeto,
                           QStringView procedimento, qint16 Ponto);

// Runs corpo(Ponto) under the trap. True when the body ran to its end.
template <class Corpo> bool ComTratamentoDeErro(QStringView objeto, QStringView procedimento, Corpo&& corpo) {
    qint16 Ponto = 1;
    try {
        corpo(Ponto);
        return true;
    } catch (const VB::ErroDeExecucao& erro) {
        ReportarErroCapturado(erro.Numero(), erro.Descricao(), objeto, procedimento, Ponto);
    } catch (const std::bad_alloc&) {
        ReportarErroCapturado(VB::MemoriaInsuficiente, VB::DescricaoDoErro(VB::MemoriaInsuficiente), objeto,
                              procedimento, Ponto);
    } catch (const std::exception& erro) {
        ReportarErroCapturado(VB::ErroInterno,
                              VB::DescricaoDoErro(VB::ErroInterno) + QStringLiteral(": ") +
                                  QString::fromUtf8(erro.what()),
                              objeto, procedimento, Ponto);
    }
    return false;
}
