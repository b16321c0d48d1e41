#pragma once
// The fields of a quotes selection (ZELT_N_Orcamentos.clsOrcamentos), named once for the
// business layer that delivers them and the list and its report that read them.

namespace CamposDoOrcamento {

inline constexpr char16_t NumeroDoOrcamento[] = u"NumeroDoOrcamento";
inline constexpr char16_t DataDoOrcamento[] = u"DataDoOrcamento";
inline constexpr char16_t CodigoDoCliente[] = u"CodigoDoCliente";
inline constexpr char16_t ApelidoOuNomeFantasiaDoCliente[] = u"ApelidoOuNomeFantasiaDoCliente";
inline constexpr char16_t NomeOuRazaoSocialDoCliente[] = u"NomeOuRazaoSocialDoCliente";
inline constexpr char16_t ValorTotal[] = u"ValorTotal";
inline constexpr char16_t DescontoEmPercentual[] = u"DescontoEmPercentual";
inline constexpr char16_t DescontoEmValor[] = u"DescontoEmValor";
inline constexpr char16_t ValorLiquido[] = u"ValorLiquido";
inline constexpr char16_t DataDeValidadeDoOrcamento[] = u"DataDeValidadeDoOrcamento";
inline constexpr char16_t Situacao[] = u"Situacao";
inline constexpr char16_t NomeDaSituacao[] = u"NomeDaSituacao";
inline constexpr char16_t DataEHoraDaInclusao[] = u"DataEHoraDaInclusao";
inline constexpr char16_t UsuarioDaInclusao[] = u"UsuarioDaInclusao";
inline constexpr char16_t DataEHoraDaAlteracao[] = u"DataEHoraDaAlteracao";
inline constexpr char16_t UsuarioDaAlteracao[] = u"UsuarioDaAlteracao";

} // namespace CamposDoOrcamento
