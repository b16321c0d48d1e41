#pragma once
// The component's identity. The GUIDs name the component as the suite's Windows
// installations know it; they are kept so that a registry or a bridge can map one to
// the other.

#include <QString>

namespace modConstantes {

// The component file's name without extension: the first part of every error location.
inline const QString NomeDoComponente = QStringLiteral("ZELT_A_Orcamentos");

inline const QString ProgIdDoComponente = QStringLiteral("ZELT_A_Orcamentos.clsOrcamentos");
// The second public class: the windows of a quote's life beyond the list.
inline const QString ProgIdDoAndamento = QStringLiteral("ZELT_A_Orcamentos.clsAndamento");

inline const QString BibliotecaDeTipos = QStringLiteral("ZELT_A_Orcamentos");
inline constexpr int VersaoMaiorDaBibliotecaDeTipos = 2;
inline constexpr int VersaoMenorDaBibliotecaDeTipos = 1;
inline constexpr int LocalidadeDaBibliotecaDeTipos = 1033;
inline const QString TextoDeAjudaDaBibliotecaDeTipos =
    QStringLiteral("ZELT - Apresentação - Cadastro de Orçamentos");
inline const QString GuidDaBibliotecaDeTipos = QStringLiteral("{EFF8953F-B88A-4187-98CF-2616B4236E87}");
inline const QString ClsidDeClsOrcamentos = QStringLiteral("{C73C88E6-9E2F-48FC-B88B-D2233BF58F32}");
inline const QString IidDeClsOrcamentos = QStringLiteral("{048DE70F-9F79-40A3-944D-424A40FA3720}");
// The earlier interface (alias clsOrcamentos___v0); the class answers to both.
inline const QString IidDeClsOrcamentosV0 = QStringLiteral("{849AE271-E9CA-4857-A924-2BDDA4310A74}");
inline const QString VersaoDoArquivo = QStringLiteral("2.0.0.19");

// The commands of a form's AtualizarObjetos: the navigation bar's buttons (the same
// numbers as its Click), the page in the current-page field, and the page shown again
// after a new selection (handled as the current page).
enum ComandoDeNavegacao : qint16 {
    PaginaAtual = 0,
    PrimeiraPagina = 1,
    PaginaAnterior = 2,
    ProximaPagina = 3,
    UltimaPagina = 4,
    NovaSelecao = 5,
};

} // namespace modConstantes
