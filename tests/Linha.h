#pragma once
// A row of a data-driven test in one call: its name, then the value of each column in order.

#include <QtTest>

template <class... Valores> void Linha(const char* nome, const Valores&... valores) {
    (QTest::newRow(nome) << ... << valores);
}
