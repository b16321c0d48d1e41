#pragma once
// Scripted business objects for the search dialogs, registered under the suite's
// ProgIDs: each records what it was asked and answers what the test set.

#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QStringList>
#include <functional>

struct RespostasDaPesquisa {
    QStringList Argumentos;             // every call's arguments, written out with "|"
    std::function<void()> AoSelecionar; // may throw, standing for a failing call
    QVariant Resposta = false;
    RecordsetPtr Resultado = std::make_shared<RecordsetEmMemoria>();
    QVariant RespostaDosTipos = false;
    RecordsetPtr TiposDeServico = std::make_shared<RecordsetEmMemoria>();
};

inline RespostasDaPesquisa& Respostas() {
    static RespostasDaPesquisa respostas;
    return respostas;
}

template <class Base> class Roteirizado : public Base {
protected:
    template <class... A>
    QVariant Responder(const RecordsetPtr& resultado, const QVariant& resposta, const A&... argumentos) {
        QStringList escritos;
        ((escritos << Escrito(argumentos)), ...);
        Respostas().Argumentos << escritos.join(u'|');
        if (Respostas().AoSelecionar) Respostas().AoSelecionar();
        this->mrstResultado = resultado;
        this->NumeroDoErro = 3704;
        this->DescricaoDoErro = QStringLiteral("Falha ao selecionar");
        this->LocalDoErro = QStringLiteral("ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2");
        return resposta;
    }
    static QString Escrito(const QString& texto) { return texto; }
    static QString Escrito(double numero) { return QString::number(numero); }
};

class ClientesRoteirizados final : public Roteirizado<ZELT_N_ClientAnim::clsClientes> {
public:
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, const QString& apelido,
                        double& codigo, const QString& r1, const QString& r2, const QString& r3, double d,
                        const QString& r4) override {
        const QVariant usuario = DadosDoUsuario ? DadosDoUsuario->property("NomeDoUsuario") : QVariant();
        return Responder(Respostas().Resultado, Respostas().Resposta, a, b, c, texto, apelido, codigo, r1, r2,
                         r3, d, r4, usuario.toString());
    }
};

class ProdutosRoteirizados final : public Roteirizado<ZELT_N_Produtos::clsProdutos> {
public:
    using clsProdutos::Selecionar;
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, QString& nome, QString& barras,
                        double& codigo) override {
        return Responder(Respostas().Resultado, Respostas().Resposta, a, b, c, texto, nome, barras, codigo);
    }
};

class ServicosRoteirizados final : public Roteirizado<ZELT_N_Servicos::clsServicos> {
public:
    using clsServicos::Selecionar;
    QVariant Selecionar(qint32 a, qint16 b, qint32 c, const QString& texto, qint16& tipo, QString& nome,
                        double& codigo) override {
        return Responder(Respostas().Resultado, Respostas().Resposta, a, b, c, texto, tipo, nome, codigo);
    }
};

class TiposRoteirizados final : public Roteirizado<ZELT_N_TipoDeServ::clsTiposDeServ> {
public:
    QVariant SelecionarParaComboBox(double& numero) override {
        return Responder(Respostas().TiposDeServico, Respostas().RespostaDosTipos, numero);
    }
};

inline void RegistrarNegocioRoteirizado() {
    Respostas() = RespostasDaPesquisa();
    Zelt::RegistrarProgId(ProgId::Clientes, [] { return std::make_unique<ClientesRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Produtos, [] { return std::make_unique<ProdutosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Servicos, [] { return std::make_unique<ServicosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::TiposDeServ, [] { return std::make_unique<TiposRoteirizados>(); });
}
