#pragma once
// Stand-ins registered under the suite's ProgIDs: an error display that records what
// it was asked to show, and a quotes business object whose answers a test scripts.

#include "contracts/ComponentesDaSuite.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QList>
#include <QStringList>
#include <functional>

struct ErroExibido {
    QVariant Numero;
    QVariant Descricao;
    QVariant Local;
    QVariant NomeDaAplicacao;
};

// Every error shown through ZELT_A_MsgErro.clsMensagem, in order.
inline QList<ErroExibido>& ErrosExibidos()
{
    static QList<ErroExibido> erros;
    return erros;
}

class MensagemGravadora final : public ZELT_A_MsgErro::clsMensagem {
public:
    QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local, QVariant& NomeDaAplicacao) override
    {
        ErrosExibidos().append({Numero, Descricao, Local, NomeDaAplicacao});
        return QVariant();
    }
};

inline void RegistrarMensagemGravadora()
{
    Zelt::RegistrarProgId(ProgId::MsgErro, [] { return std::make_unique<MensagemGravadora>(); });
}

// A quotes business object whose Selecionar answers what the test sets.
struct RoteiroDeOrcamentos {
    int Selecoes = 0;
    QList<qint32> Situacoes;
    QStringList Textos;
    // Runs inside Selecionar; may throw to stand for a failing late-bound call.
    std::function<void()> AoSelecionar;
    QVariant Resposta = false;
    RecordsetPtr Resultado = std::make_shared<RecordsetEmMemoria>();
};

inline RoteiroDeOrcamentos& Roteiro()
{
    static RoteiroDeOrcamentos roteiro;
    return roteiro;
}

class OrcamentosRoteirizados final : public ZELT_N_Orcamentos::clsOrcamentos {
public:
    QVariant Selecionar(qint32, qint16&, qint32 llonSituacao, const QString& lstrTexto, double, double) override
    {
        ++Roteiro().Selecoes;
        Roteiro().Situacoes.append(llonSituacao);
        Roteiro().Textos.append(lstrTexto);
        if (Roteiro().AoSelecionar) Roteiro().AoSelecionar();
        mrstResultado = Roteiro().Resultado;
        NumeroDoErro = 3704;
        DescricaoDoErro = QStringLiteral("Falha ao selecionar");
        LocalDoErro = QStringLiteral("ZELT_N_Orcamentos, clsOrcamentos, Selecionar, Ponto: 4");
        return Roteiro().Resposta;
    }
    void PaginarResultadoDaSelecaoEmRecordset(qint16&, RecordsetPtr& lrstPagina) override
    {
        lrstPagina = Roteiro().Resultado;
    }
    qint16 Adicionar() override { return 0; }
    qint16 Alterar() override { return 0; }
    qint16 Excluir() override { return 0; }
};

inline void RegistrarOrcamentosRoteirizados()
{
    Roteiro() = RoteiroDeOrcamentos();
    Zelt::RegistrarProgId(ProgId::Orcamentos, [] { return std::make_unique<OrcamentosRoteirizados>(); });
}
