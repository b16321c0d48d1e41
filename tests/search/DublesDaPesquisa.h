#pragma once
// Scripted business objects for the search dialogs, registered under the suite's
// ProgIDs: each records what it was asked and answers what the test set.

#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QList>
#include <QStringList>
#include <functional>

struct RespostasDaPesquisa {
    int Chamadas = 0;
    QStringList Textos;                 // the free text, exactly as received
    QList<qint32> Tipos;                // the service type (services)
    QStringList Argumentos;             // the other arguments, written out
    std::function<void()> AoSelecionar; // may throw, standing for a failing call
    QVariant Resposta = false;
    RecordsetPtr Resultado = std::make_shared<RecordsetEmMemoria>();
    RecordsetPtr TiposDeServico = std::make_shared<RecordsetEmMemoria>();
    QVariant RespostaDosTipos = false;
};

inline RespostasDaPesquisa& Respostas() {
    static RespostasDaPesquisa respostas;
    return respostas;
}

// The common part of every scripted selection.
template <class Base> class Roteirizado : public Base {
protected:
    QVariant Responder(const QString& texto, const QString& argumentos, const RecordsetPtr& resultado,
                       const QVariant& resposta) {
        ++Respostas().Chamadas;
        Respostas().Textos << texto;
        Respostas().Argumentos << argumentos;
        if (Respostas().AoSelecionar) Respostas().AoSelecionar();
        this->mrstResultado = resultado;
        this->NumeroDoErro = 3704;
        this->DescricaoDoErro = QStringLiteral("Falha ao selecionar");
        this->LocalDoErro = QStringLiteral("ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2");
        return resposta;
    }
};

class ClientesRoteirizados final : public Roteirizado<ZELT_N_ClientAnim::clsClientes> {
public:
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, const QString& apelido,
                        double& codigo, const QString& r1, const QString& r2, const QString& r3, double d,
                        const QString& r4) override {
        const QString usuario =
            DadosDoUsuario ? DadosDoUsuario->property("NomeDoUsuario").toString() : QString();
        return Responder(texto,
                         QStringList{QString::number(a), QString::number(b), QString::number(c), apelido,
                                     QString::number(codigo), r1, r2, r3, QString::number(d), r4, usuario}
                             .join(u'|'),
                         Respostas().Resultado, Respostas().Resposta);
    }
};

class ProdutosRoteirizados final : public Roteirizado<ZELT_N_Produtos::clsProdutos> {
public:
    using clsProdutos::Selecionar;
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, QString& nome, QString& barras,
                        double& codigo) override {
        return Responder(texto,
                         QStringList{QString::number(a), QString::number(b), QString::number(c), nome, barras,
                                     QString::number(codigo)}
                             .join(u'|'),
                         Respostas().Resultado, Respostas().Resposta);
    }
};

class ServicosRoteirizados final : public Roteirizado<ZELT_N_Servicos::clsServicos> {
public:
    using clsServicos::Selecionar;
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, qint16& tipo, QString& nome,
                        double& codigo) override {
        Respostas().Tipos << tipo;
        return Responder(texto,
                         QStringList{QString::number(a), QString::number(b), QString::number(c), nome,
                                     QString::number(codigo)}
                             .join(u'|'),
                         Respostas().Resultado, Respostas().Resposta);
    }
};

class TiposRoteirizados final : public Roteirizado<ZELT_N_TipoDeServ::clsTiposDeServ> {
public:
    QVariant SelecionarParaComboBox(double& numero) override {
        return Responder(QString(), QString::number(numero), Respostas().TiposDeServico,
                         Respostas().RespostaDosTipos);
    }
};

inline void RegistrarNegocioRoteirizado() {
    Respostas() = RespostasDaPesquisa();
    Zelt::RegistrarProgId(ProgId::Clientes, [] { return std::make_unique<ClientesRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Produtos, [] { return std::make_unique<ProdutosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Servicos, [] { return std::make_unique<ServicosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::TiposDeServ, [] { return std::make_unique<TiposRoteirizados>(); });
}
