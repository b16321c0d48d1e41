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
inline QList<ErroExibido>& ErrosExibidos() {
    static QList<ErroExibido> erros;
    return erros;
}

class MensagemGravadora final : public ZELT_A_MsgErro::clsMensagem {
public:
    QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local,
                    QVariant& NomeDaAplicacao) override {
        ErrosExibidos().append({Numero, Descricao, Local, NomeDaAplicacao});
        return QVariant();
    }
};

inline void RegistrarMensagemGravadora() {
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

inline RoteiroDeOrcamentos& Roteiro() {
    static RoteiroDeOrcamentos roteiro;
    return roteiro;
}

class OrcamentosRoteirizados final : public ZELT_N_Orcamentos::clsOrcamentos {
public:
    QVariant Selecionar(qint32, qint16& lintTamanhoDaPagina, qint32 llonSituacao, const QString& lstrTexto,
                        double, double) override {
        ++Roteiro().Selecoes;
        Roteiro().Situacoes.append(llonSituacao);
        Roteiro().Textos.append(lstrTexto);
        if (Roteiro().AoSelecionar) Roteiro().AoSelecionar();
        mrstResultado = Roteiro().Resultado;
        mrstResultado->SetPageSize(lintTamanhoDaPagina > 0 ? lintTamanhoDaPagina : 10);
        NumeroDoErro = 3704;
        DescricaoDoErro = QStringLiteral("Falha ao selecionar");
        LocalDoErro = QStringLiteral("ZELT_N_Orcamentos, clsOrcamentos, Selecionar, Ponto: 4");
        return Roteiro().Resposta;
    }
    // The rows of the page that holds the result's current row.
    void PaginarResultadoDaSelecaoEmRecordset(qint16& lintTamanhoDaPagina,
                                              RecordsetPtr& lrstPagina) override {
        Recordset& resultado = *Roteiro().Resultado;
        QStringList campos;
        for (int i = 0; i < resultado.FieldsCount(); ++i)
            campos << resultado.FieldName(i);
        auto pagina = std::make_shared<RecordsetEmMemoria>(campos);
        const int inicio = resultado.AbsolutePosition0();
        for (int i = 0; i < lintTamanhoDaPagina && !resultado.Eof(); ++i, resultado.MoveNext()) {
            QList<QVariant> valores;
            for (int c = 0; c < campos.size(); ++c)
                valores << resultado.Fields(c).Value;
            pagina->AdicionarLinha(valores);
        }
        resultado.MoverPara(inicio);
        lrstPagina = pagina;
    }
    qint16 Adicionar() override { return 0; }
    qint16 Alterar() override { return 0; }
    qint16 Excluir() override { return 0; }
};

inline void RegistrarOrcamentosRoteirizados() {
    Roteiro() = RoteiroDeOrcamentos();
    Zelt::RegistrarProgId(ProgId::Orcamentos, [] { return std::make_unique<OrcamentosRoteirizados>(); });
}
