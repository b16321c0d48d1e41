#pragma once
// The component's second public class: the windows of a quote's life beyond the list
// (the deleted quotes, a quote's history), opened by the host's menu. Like
// clsOrcamentos, its members are reachable by name, its two write-only properties fill
// the same working context, and no error ever reaches the host: the windows show and
// log their own.

#include "contracts/ComponentesDaSuite.h"

#include <QObject>
#include <QString>
#include <QVariant>

class clsAndamento : public QObject {
    Q_OBJECT
public:
    explicit clsAndamento(QObject* parent = nullptr);

    // "Orçamentos excluídos", modal over the menu window; a quote restored there shows
    // again in the open list.
    Q_INVOKABLE QVariant AbrirOrcamentosExcluidos(HWnd FomularioDoMenu_hWnd);
    // "Histórico do orçamento" of that quote, modal over the menu window; 0: the quote
    // selected in the open list, if any (else the person types a number).
    Q_INVOKABLE QVariant AbrirHistorico(HWnd FomularioDoMenu_hWnd, double NumeroDoOrcamento);
    // "Configurações do orçamento", modal over the menu window, for an administrator
    // (anyone else is told so, and nothing opens).
    Q_INVOKABLE QVariant AbrirConfiguracoes(HWnd FomularioDoMenu_hWnd);
    // "Pacotes de procedimentos": administrators edit, everyone else looks.
    Q_INVOKABLE QVariant AbrirPacotes(HWnd FomularioDoMenu_hWnd);
    // "Acompanhamento de orçamentos", modal over the menu window.
    Q_INVOKABLE QVariant AbrirAcompanhamento(HWnd FomularioDoMenu_hWnd);
    // The user's guide at that section (an anchor of the guide; empty: its start), the
    // window the forms open on F1.
    Q_INVOKABLE void AbrirAjuda(const QString& Secao);
    Q_INVOKABLE void DadosDoUsuario(QObject* lobjDadosDoUsuario);
    Q_INVOKABLE void NomeDaAplicacao(const QString& lstrNomeDaAplicacao);
};
