#pragma once
// A window's control found by its name, as the window tests drive them; a missing one
// is named in the log (the test then fails on the null control). The captions a window
// cuts.

#include "platform/controls/Label.h"

#include <QDebug>
#include <QStringList>
#include <QWidget>

template <class T> T* Filho(const QWidget& janela, const QString& nome) {
    T* controle = janela.findChild<T*>(nome);
    if (!controle) qWarning() << "sem controle" << nome;
    return controle;
}

template <class T> T* Filho(const QWidget& janela, const char* nome) {
    return Filho<T>(janela, QString::fromLatin1(nome));
}

// The labels of a window narrower than their one-line captions: a caption cut.
inline QStringList RotulosCortados(const QWidget& janela) {
    QStringList cortados;
    for (const Label* rotulo : janela.findChildren<Label*>())
        if (rotulo->isVisibleTo(&janela) && !rotulo->WordWrap() &&
            rotulo->width() < rotulo->sizeHint().width())
            cortados << rotulo->objectName();
    return cortados;
}
