// ZELT_N_Orcamentos.clsEnviosDeOrcamentos: the quote sheets sent to clients, in
// their own table (EnviosDeOrcamentos), one row for each send: the quote, when (the
// business clock), by whom (DadosDoUsuario's NomeDoUsuario), by which channel
// ("e-mail" or "WhatsApp") and to which address or number (empty for an e-mail
// opened without a recipient). A send never changes the quote itself, so a quote's
// stamps and totals stay as they were; the rows go with their quote when it is
// deleted. NumeroDoEnvio orders a quote's sends as they happened.
//
// RegistrarEnvio(quote, channel, destination): status protocol; an unknown quote or
// channel is rejected (2) with a description.
// SelecionarEnvios(quote): selection protocol; the quote's sends, newest first:
// NumeroDoEnvio, NumeroDoOrcamento, DataEHoraDoEnvio, UsuarioDoEnvio, Canal, Destino.

#include "business/Banco.h"
#include "business/EtapasDoOrcamento.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/Relogio.h"
#include "contracts/HistoricoDeOrcamentos.h"

namespace Objetos {
namespace {

const QList<CampoDaConsulta> CamposDosEnvios{
    {QStringLiteral("NumeroDoEnvio"), QStringLiteral("NumeroDoEnvio"), TipoDoCampo::Long},
    {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NumeroDoOrcamento"), TipoDoCampo::Double},
    {QStringLiteral("DataEHoraDoEnvio"), QStringLiteral("DataEHoraDoEnvio"), TipoDoCampo::DataEHora},
    {QStringLiteral("UsuarioDoEnvio"), QStringLiteral("UsuarioDoEnvio"), TipoDoCampo::Texto},
    {QStringLiteral("Canal"), QStringLiteral("Canal"), TipoDoCampo::Texto},
    {QStringLiteral("Destino"), QStringLiteral("Destino"), TipoDoCampo::Texto},
};

class clsEnviosDeOrcamentosNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsEnviosDeOrcamentos> {
public:
    clsEnviosDeOrcamentosNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsEnviosDeOrcamentos")) {}

    qint16 RegistrarEnvio(double ldouNumeroDoOrcamento, const QString& lstrCanal,
                          const QString& lstrDestino) override {
        return Estado("RegistrarEnvio", [&] {
            if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
            if (lstrCanal != ZELT_N_Orcamentos::CanalEmail && lstrCanal != ZELT_N_Orcamentos::CanalWhatsApp)
                Rejeitar(QStringLiteral("Canal"), QStringLiteral("O canal de envio \"") + lstrCanal +
                                                      QStringLiteral("\" não é conhecido."));
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            if (!numero ||
                !Banco::Valor(QStringLiteral("SELECT 1 FROM Orcamentos WHERE NumeroDoOrcamento = ?"),
                              {*numero})
                     .isValid())
                Rejeitar(QStringLiteral("NumeroDoOrcamento"),
                         QStringLiteral("O orçamento enviado não está mais cadastrado."));
            // The send, the stage it moves an open quote to, and its entry in the quote's
            // history are one operation.
            Banco::UnidadeDeTrabalho unidade;
            const QDateTime agora = Relogio::Agora();
            Banco::Executar(
                QStringLiteral("INSERT INTO EnviosDeOrcamentos (NumeroDoOrcamento, "
                               "DataEHoraDoEnvio, UsuarioDoEnvio, Canal, Destino) VALUES (?, ?, ?, ?, ?)"),
                {*numero, Banco::DataEHoraIso(agora), usuario, lstrCanal, lstrDestino});
            EtapasDoOrcamento::RegistrarEnvio(*numero, usuario, agora);
            Historico::Registrar(*numero, ZELT_N_Orcamentos::OperacaoDoHistorico::EnviadoPor(lstrCanal),
                                 usuario);
            unidade.Confirmar();
        });
    }

    QVariant SelecionarEnvios(double ldouNumeroDoOrcamento) override {
        return Selecao("SelecionarEnvios", [&] {
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            return Consultar({CamposDosEnvios,
                              QStringLiteral("FROM EnviosDeOrcamentos WHERE NumeroDoOrcamento = ?"),
                              {numero ? *numero : qint64(-1)},
                              QStringLiteral("NumeroDoEnvio DESC")},
                             0);
        });
    }
};

} // namespace

std::unique_ptr<QObject> NovoEnviosDeOrcamentos() {
    return std::make_unique<clsEnviosDeOrcamentosNoBanco>();
}

} // namespace Objetos
