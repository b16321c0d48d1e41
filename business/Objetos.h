#pragma once
// What the business objects share: the result protocol. A member's body runs inside
// Selecao or Estado, which clear the previous outcome, run the body again while the
// database is busy (Banco::ComNovasTentativas), and turn any run-time error (a
// database failure included) into the object's error triple, whose location names
// the component, the class and the member.

#include "business/Banco.h"
#include "business/RecordsetSql.h"
#include "contracts/Negocio.h"

#include <QString>
#include <memory>
#include <optional>

namespace Objetos {

// Registers every ProgID of the business layer with its database implementation.
void RegistrarProgIds();

// An outcome of a status member other than 0 and 1: 2 rejected (with the field),
// 3 refused. Thrown by the checks, caught by Estado.
struct Recusa {
    qint16 Codigo;
    QString Campo;
    QString Descricao;
};
[[noreturn]] inline void Rejeitar(const QString& campo, const QString& descricao) {
    throw Recusa{Resultado::Rejeitado, campo, descricao};
}
[[noreturn]] inline void Recusar(const QString& descricao) {
    throw Recusa{Resultado::Recusado, QString(), descricao};
}

// A positive whole number typed as text ("0042" is 42); nothing otherwise.
std::optional<qint64> CodigoDoTexto(const QString& texto);
// A positive whole number passed as a Double; nothing otherwise.
std::optional<qint64> CodigoDoDouble(double valor);

// The error 5 of a fixed leading argument this layer does not know.
[[noreturn]] void ArgumentoDesconhecido(const QString& nome, qint64 valor);

template <class Contrato> class Implementacao : public Contrato {
protected:
    explicit Implementacao(QString componenteEClasse) : mstrComponenteEClasse(std::move(componenteEClasse)) {}

    // Selection protocol: False after success with the recordset the body answers;
    // True after a failure, with the error triple. A failure keeps the previous
    // result: the list still shows what it showed when a new selection fails.
    template <class Corpo> QVariant Selecao(const char* procedimento, Corpo corpo) {
        LimparResultado();
        try {
            this->mrstResultado = Banco::ComNovasTentativas(corpo);
            return false;
        } catch (const VB::ErroDeExecucao& erro) {
            RegistrarErro(erro.Numero(), erro.Descricao(), procedimento);
        } catch (const std::exception& erro) {
            RegistrarErro(51, QString::fromLocal8Bit(erro.what()), procedimento);
        }
        return true;
    }

    // Status protocol: 0 done, 1 error (triple), 2 rejected, 3 refused.
    template <class Corpo>
    qint16 Estado(const char* procedimento, Corpo corpo, QString* campoValidado = nullptr) {
        LimparResultado();
        if (campoValidado) campoValidado->clear();
        try {
            Banco::ComNovasTentativas(corpo);
            return Resultado::Sucesso;
        } catch (const Recusa& recusa) {
            this->DescricaoDaFalha = recusa.Descricao;
            if (campoValidado) *campoValidado = recusa.Campo;
            return recusa.Codigo;
        } catch (const VB::ErroDeExecucao& erro) {
            RegistrarErro(erro.Numero(), erro.Descricao(), procedimento);
        } catch (const std::exception& erro) {
            RegistrarErro(51, QString::fromLocal8Bit(erro.what()), procedimento);
        }
        return Resultado::Erro;
    }

    void LimparResultado() {
        this->NumeroDoErro = 0;
        this->DescricaoDoErro.clear();
        this->LocalDoErro.clear();
        this->DescricaoDaFalha.clear();
    }

    virtual void RegistrarErro(long numero, const QString& descricao, const char* procedimento) {
        this->NumeroDoErro = numero;
        this->DescricaoDoErro = descricao;
        this->LocalDoErro = mstrComponenteEClasse + QStringLiteral(", ") + QString::fromLatin1(procedimento);
    }

    // A lazy selection; a page size of 0 or less keeps ADO's default of 10 rows per page.
    static RecordsetPtr Consultar(ConsultaPaginavel consulta, qint32 tamanhoDaPagina) {
        return std::make_shared<RecordsetSql>(std::move(consulta), tamanhoDaPagina);
    }

private:
    QString mstrComponenteEClasse;
};

// Factories, one per ProgID.
std::unique_ptr<QObject> NovoOrcamentos();
std::unique_ptr<QObject> NovoOrcItens();
std::unique_ptr<QObject> NovoClientes();
std::unique_ptr<QObject> NovoAnimais();
std::unique_ptr<QObject> NovoProdutos();
std::unique_ptr<QObject> NovoServicos();
std::unique_ptr<QObject> NovoTiposDeServ();
std::unique_ptr<QObject> NovoEmpresa();
std::unique_ptr<QObject> NovoHistorico();
std::unique_ptr<QObject> NovoEnviosDeOrcamentos();
std::unique_ptr<QObject> NovoEtapasDoOrcamento();
std::unique_ptr<QObject> NovoRenovacaoDeValidade();
std::unique_ptr<QObject> NovoAprovacaoDoOrcamento();
std::unique_ptr<QObject> NovoConfiguracoesDoOrcamento();
std::unique_ptr<QObject> NovoAcompanhamento();
std::unique_ptr<QObject> NovoTermoDeConsentimento();
std::unique_ptr<QObject> NovoPacotesDeProcedimentos();

} // namespace Objetos
