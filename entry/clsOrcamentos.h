#pragma once
// The component's one public class. The host fills the working context through the
// seven write-only properties and calls AbrirLista or AbrirFicha; both answer Empty
// and no error ever reaches the host. Members are reachable by name (late binding),
// in interface order; a write-only property is an invokable setter of its name.

#include "contracts/ComponentesDaSuite.h"

#include <QObject>
#include <QString>
#include <QVariant>

class clsOrcamentos : public QObject {
    Q_OBJECT
public:
    explicit clsOrcamentos(QObject* parent = nullptr);

    Q_INVOKABLE QVariant AbrirLista(HWnd FomularioDoMenu_hWnd, HWnd AreaDeTrabalho_hWnd);
    Q_INVOKABLE QVariant AbrirFicha();
    Q_INVOKABLE void DadosDoUsuario(QObject* lobjDadosDoUsuario);
    Q_INVOKABLE void NomeDaAplicacao(const QString& lstrNomeDaAplicacao);
    Q_INVOKABLE void CodigoDoCliente(qint32 llonCodigoDoCliente);
    Q_INVOKABLE void ApelidoOuNomeFantasiaDoCliente(const QString& lstrApelidoOuNomeFantasiaDoCliente);
    Q_INVOKABLE void NomeOuRazaoSocialDoCliente(const QString& lstrNomeOuRazaoSocialDoCliente);
    Q_INVOKABLE void CodigoDoAnimal(qint32 llonCodigoDoAnimal);
    Q_INVOKABLE void NomeDoAnimal(const QString& lstrNomeDoAnimal);
};

// The library's one exported entry: creates the class named by its ProgID
// ("ZELT_A_Orcamentos.clsOrcamentos", "ZELT_A_Orcamentos.clsAndamento"), owned by the
// caller; null for any other name.
extern "C" Q_DECL_EXPORT QObject* ZELT_A_Orcamentos_CriarObjeto(const char* progId);
