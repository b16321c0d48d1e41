#pragma once
// The user's guide, for the host's menu ("Ajuda"), which cannot see the component's
// modules: the same window the forms open on F1.

#include <QString>
#include <QtGlobal>

// The guide at lstrSecao (an anchor of the guide; empty: its start).
Q_DECL_EXPORT void ExibirAjudaDoComponente(const QString& lstrSecao);
