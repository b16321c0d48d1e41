#pragma once
// The suite's presentation components that the component calls by ProgID: the error
// display, the dark background and the system-name query. Window handles are the
// platform's (a widget's winId()).

#include <QObject>
#include <QString>
#include <QVariant>

using HWnd = quintptr;

namespace ProgId {
inline const QString MsgErro = QStringLiteral("ZELT_A_MsgErro.clsMensagem");
inline const QString FundoEscuro = QStringLiteral("ZELT_A_EfeitosDeTela.clsFundoEscuro");
inline const QString VersaoDoSO = QStringLiteral("ZELT_N_SO.clsObterVersaoDoSO");
} // namespace ProgId

namespace ZELT_A_MsgErro {
class clsMensagem : public QObject {
    Q_OBJECT
public:
    // Shows an error to the user: number, description, location, application name.
    virtual QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local,
                            QVariant& NomeDaAplicacao) = 0;
};
} // namespace ZELT_A_MsgErro

namespace ZELT_A_EfeitosDeTela {
class clsFundoEscuro : public QObject {
    Q_OBJECT
public:
    // Darkens the window until Remover is called for the same window.
    virtual void Aplicar(HWnd& hWnd, qint16& Opcao) = 0;
    virtual void Remover(HWnd& hWnd) = 0;
};
} // namespace ZELT_A_EfeitosDeTela

namespace ZELT_N_SO {
class clsObterVersaoDoSO : public QObject {
    Q_OBJECT
public:
    virtual QString ObterversaoDoSO() = 0;
};
} // namespace ZELT_N_SO
