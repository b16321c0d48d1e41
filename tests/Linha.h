#pragma once
// A data-driven test's columns, and each of its rows, in one call; a row of values as one
// text to compare whole.

#include <QStringList>
#include <QtTest>
#include <type_traits>

// The columns: their types in order, then their names.
template <class... Tipos, class... Nomes> void Colunas(const Nomes&... nomes) {
    static_assert(sizeof...(Tipos) == sizeof...(Nomes), "one name for each type");
    (QTest::addColumn<Tipos>(nomes), ...);
}

// A row: its name, then the value of each column in order.
template <class... Valores> void Linha(const char* nome, const Valores&... valores) {
    (QTest::newRow(nome) << ... << valores);
}

// Each value's text (numbers as QString::number writes them), joined by "|".
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
