#pragma once
// A row of a data-driven test in one call: its name, then the value of each column in order.
// A row of values as one text to compare whole: each value's text (numbers as
// QString::number writes them), joined by "|".

#include <QStringList>
#include <QtTest>
#include <type_traits>

template <class... Valores> void Linha(const char* nome, const Valores&... valores) {
    (QTest::newRow(nome) << ... << valores);
}

inline QString TextoDoValor(const QString& texto) {
    return texto;
}
template <class Numero>
requires std::is_arithmetic_v<Numero> QString TextoDoValor(Numero numero) {
    return QString::number(numero);
}
template <class... Valores> QString Juntos(const Valores&... valores) {
    return QStringList{TextoDoValor(valores)...}.join(u'|');
}
