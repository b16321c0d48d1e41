#include "component/modFundoEscuro.h"

#include "contracts/CriarObjeto.h"

void AplicarFundoEscuro(HWnd hWnd, qint16& Opcao) {
    auto lobjFundoEscuro = Zelt::CriarObjeto<ZELT_A_EfeitosDeTela::clsFundoEscuro>(ProgId::FundoEscuro);
    lobjFundoEscuro->Aplicar(hWnd, Opcao);
}

void RemoverFundoEscuro(HWnd hWnd) {
    auto lobjFundoEscuro = Zelt::CriarObjeto<ZELT_A_EfeitosDeTela::clsFundoEscuro>(ProgId::FundoEscuro);
    lobjFundoEscuro->Remover(hWnd);
}
