#include "contracts/Negocio.h"

namespace Zelt {
namespace {
QString gidentidadeDoBanco;
} // namespace

QString IdentidadeDoBancoAberto() {
    return gidentidadeDoBanco;
}

void DefinirIdentidadeDoBancoAberto(const QString& identidade) {
    gidentidadeDoBanco = identidade;
}
} // namespace Zelt

RecordsetPtr ObjetoDeNegocio::ResultadoDaSelecaoEmRecordSet() const {
    if (!mrstResultado) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return mrstResultado;
}

Field ObjetoDeNegocio::ResultadoDaSelecaoEmRecordSet(const QString& nomeDoCampo) const {
    return ResultadoDaSelecaoEmRecordSet()->Fields(nomeDoCampo);
}

QVariant ZELT_N_Produtos::clsProdutos::Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina,
                                                  qint32 llonReservado, const QString& lstrCodigoOuNome) {
    QString lstrNome;
    QString lstrCodigoDeBarras;
    double ldouCodigoInterno = 0;
    return Selecionar(lintTipo, lintTamanhoDaPagina, llonReservado, lstrCodigoOuNome, lstrNome,
                      lstrCodigoDeBarras, ldouCodigoInterno);
}

QVariant ZELT_N_Servicos::clsServicos::Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina,
                                                  qint32 llonReservado, const QString& lstrCodigoOuNome,
                                                  qint32 llonTipoDeServico) {
    qint16 lintTipoDeServico = static_cast<qint16>(llonTipoDeServico);
    QString lstrNome;
    double ldouCodigo = 0;
    return Selecionar(lintTipo, lintTamanhoDaPagina, llonReservado, lstrCodigoOuNome, lintTipoDeServico,
                      lstrNome, ldouCodigo);
}
