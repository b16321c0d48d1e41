#pragma once
// A window's control found by its name, as the window tests drive them; a missing one
// is named in the log (the test then fails on the null control).

#include <QDebug>
#include <QWidget>

template <class T> T* Filho(const QWidget& janela, const QString& nome) {
    T* controle = janela.findChild<T*>(nome);
    if (!controle) qWarning() << "sem controle" << nome;
    return controle;
}

template <class T> T* Filho(const QWidget& janela, const char* nome) {
    return Filho<T>(janela, QString::fromLatin1(nome));
}
