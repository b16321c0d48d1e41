#pragma once
// The working context: values the host sets through clsOrcamentos and every form
// reads directly, each time it needs them (no form keeps a copy). Each thread that
// uses the component has its own; all start as zero, empty, no object or False and
// nothing clears them.

#include "component/IFormularioDeLista.h"
#include "contracts/ComponentesDaSuite.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace modPrincipal {

inline thread_local QString NomeDaAplicacao;
// The host's user record (items read by name); the host owns it.
inline thread_local QPointer<QObject> DadosDoUsuario;
inline thread_local qint32 CodigoDoCliente = 0;
inline thread_local QString ApelidoOuNomeFantasiaDoCliente;
inline thread_local QString NomeOuRazaoSocialDoCliente;
inline thread_local qint32 CodigoDoAnimal = 0;
inline thread_local QString NomeDoAnimal;
inline thread_local HWnd FomularioDoMenu_hWnd = 0;
inline thread_local QPointer<IFormularioDeLista> FormularioDeLista;
inline thread_local bool FichaAbertaDiretamente = false;
inline thread_local bool IgnorarCliqueDoComboTiposDeServicos = false;
inline thread_local double NumeroDoTipoDeServicoParaComboBox = 0; // 0 (every type) before each call

} // namespace modPrincipal
