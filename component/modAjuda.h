#pragma once
// The user's guide for the counter staff (docs/guia, installed with the program), shown
// at the section of the window the person is in: F1 in a form, "Ajuda" in the host's
// menu. The sections are the anchors of the guide's index.html; an empty one is its start.

#include <QString>

class QWidget;

namespace modAjuda {

inline const QString SecaoDaLista = QStringLiteral("lista");
inline const QString SecaoDaFicha = QStringLiteral("ficha");
inline const QString SecaoDasEtiquetas = QStringLiteral("etiquetas");
inline const QString SecaoDaImpressao = QStringLiteral("impressao");
inline const QString SecaoDoEnvio = QStringLiteral("envio");
inline const QString SecaoDosExcluidos = QStringLiteral("excluidos");
inline const QString SecaoDoHistorico = QStringLiteral("historico");
inline const QString SecaoDaRenovacao = QStringLiteral("renovacao");
inline const QString SecaoDaAprovacao = QStringLiteral("aprovacao");
inline const QString SecaoDoPagamento = QStringLiteral("pagamento");
inline const QString SecaoDasConfiguracoes = QStringLiteral("configuracoes");
inline const QString SecaoDoAcompanhamento = QStringLiteral("acompanhamento");
inline const QString SecaoDosPacotes = QStringLiteral("pacotes");
inline const QString SecaoDoTermoDeConsentimento = QStringLiteral("termo");

// The file of the guide this program shows (whether it exists or not).
QString CaminhoDoGuia();

// The help window (frmAjuda: one for the process, reused) showing the guide at lstrSecao.
// A missing guide is told in a message that says where it was looked for.
void ExibirAjuda(const QString& lstrSecao);

// F1 pressed anywhere inside lfrmFormulario opens the guide at lstrSecao, ahead of an F1
// of the window the form is docked in (the host's menu has its own).
void LigarTeclaDeAjuda(QWidget* lfrmFormulario, const QString& lstrSecao);

} // namespace modAjuda
