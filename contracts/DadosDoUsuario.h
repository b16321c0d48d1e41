#pragma once
// The host's record of the logged-in user, handed to the component as
// DadosDoUsuario. Forms and the business layer read its items by name
// (QObject::property), as the Windows design read them late bound.

#include <QObject>
#include <QString>

class clsDadosDoUsuario : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 CodigoDoUsuario MEMBER CodigoDoUsuario)
    Q_PROPERTY(QString NomeDoUsuario MEMBER NomeDoUsuario)
    Q_PROPERTY(bool Administrador MEMBER Administrador)
    Q_PROPERTY(bool PermissaoDoModuloCaixaAlterarDescontosDeVendas MEMBER
                   PermissaoDoModuloCaixaAlterarDescontosDeVendas)
public:
    using QObject::QObject;
    qint32 CodigoDoUsuario = 0;
    QString NomeDoUsuario;
    bool Administrador = false;
    bool PermissaoDoModuloCaixaAlterarDescontosDeVendas = false;
};
