#pragma once
// Scripted business objects for the search dialogs, registered under the suite's
// ProgIDs: each records what it was asked and answers what the test set.

#include "tests/component/DublesDoComponente.h"

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
    Respostas() = RespostasRoteirizadas();
    Zelt::RegistrarProgId(ProgId::Clientes, [] { return std::make_unique<ClientesRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Produtos, [] { return std::make_unique<ProdutosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::Servicos, [] { return std::make_unique<ServicosRoteirizados>(); });
    Zelt::RegistrarProgId(ProgId::TiposDeServ, [] { return std::make_unique<TiposRoteirizados>(); });
}
