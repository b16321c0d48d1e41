#pragma once
// What the benchmarks that drive the forms share: the application they run in (the
// offscreen platform unless QT_QPA_PLATFORM names another, the suite's font), the
// suite's components registered, the waiting panels' one-second pause shortened to
// nothing (it is never part of a figure), and the windows that would wait for a person
// turned into a failed run.

#include "bench/business/Medicao.h"

#include <QApplication>
#include <QWidget>

namespace Formularios {

// The application of a benchmark of the forms, made first in its main (what the cases
// keep on screen is destroyed before it).
class Aplicacao : public QApplication {
public:
    Aplicacao(int& argc, char** argv);

private:
    static int& NaPlataformaSemTela(int& argc);
};

// Runs the benchmark (Medicao::Executar) with the components registered and the pause
// shortened before the program's own preparation.
int Executar(Medicao::Programa programa);

// The application's name the suite's menu gives the component.
inline const QString NomeDaAplicacao = QStringLiteral("ZELT - Clínicas Veterinárias e Pet Shops");
// The user "BENCH"; an administrator may change prices and discounts in the record form.
enum class Usuario { Comum, Administrador };
// For the forms opened straight, without the list: the user and the application's name
// set in the component's globals, as the component sets them when the menu opens it.
void Entrar(Usuario usuario);

// A message box would wait for a person: from now on one ends the run with its text.
void RecusarMensagens();
// So would the suite's error report: from now on one ends the run with the error.
void RecusarErros();

[[noreturn]] void Faltou(const QWidget& formulario, const char* nome);
// A control of a form by its name; a missing one ends the run.
template <class T> T& Controle(const QWidget& formulario, const char* nome) {
    T* controle = formulario.findChild<T*>(QString::fromLatin1(nome));
    if (!controle) Faltou(formulario, nome);
    return *controle;
}

} // namespace Formularios
