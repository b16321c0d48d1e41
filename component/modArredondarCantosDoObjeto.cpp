#include "component/modArredondarCantosDoObjeto.h"

#include "component/modMensagemDeErro.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"

bool SistemaEhWindows8() {
    auto lobjVersaoDoSO = Zelt::CriarObjeto<ZELT_N_SO::clsObterVersaoDoSO>(ProgId::VersaoDoSO);
    return lobjVersaoDoSO->ObterversaoDoSO().toUpper() == QStringLiteral("Windows 8").toUpper();
}

void ArredondarCantosDoObjeto(HWnd& hWnd, quint8& Raio) {
    ComTratamentoDeErro(u"modArredondarCantosDoObjeto", u"ArredondarCantosDoObjeto", [&](qint16& Ponto) {
        Ponto = 1;
        if (SistemaEhWindows8()) return;
        Ponto = 2;
        Plataforma::DefinirRegiaoArredondada(hWnd, Raio);
    });
}
