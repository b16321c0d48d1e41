#pragma once
// XRNavigationBar: the page navigation of a list: first, previous, next and last
// page buttons around a text "first - last de total" ("1 - 6 de 13").
//
// The form sets PrimeiroRegistro, UltimoRegistro, TotalDeRegistros and
// RegistrosPorPagina, then calls Atualizar: only then does the bar show the new
// numbers and enable its buttons. First and previous are enabled while the first
// record shown is after record 1; next and last while the last record shown is
// before the total. With no record at all the text reads "0 de 0".
//
// Event rules:
// - Click(Botao): the person presses an enabled button: 1 first, 2 previous,
//   3 next, 4 last. Setting the numbers or calling Atualizar raises nothing.

#include "platform/controls/Controle.h"

class QLabel;
class QToolButton;

class XRNavigationBar : public Controle {
    Q_OBJECT
    Q_PROPERTY(int PrimeiroRegistro READ PrimeiroRegistro WRITE setPrimeiroRegistro)
    Q_PROPERTY(int UltimoRegistro READ UltimoRegistro WRITE setUltimoRegistro)
    Q_PROPERTY(int TotalDeRegistros READ TotalDeRegistros WRITE setTotalDeRegistros)
    Q_PROPERTY(int RegistrosPorPagina READ RegistrosPorPagina WRITE setRegistrosPorPagina)
    Q_PROPERTY(QString TextoExibido READ TextoExibido)

public:
    explicit XRNavigationBar(QWidget* pai = nullptr, const QString& nome = QString());

    int PrimeiroRegistro() const { return mlonPrimeiroRegistro; }
    void setPrimeiroRegistro(int valor) { mlonPrimeiroRegistro = valor; }
    int UltimoRegistro() const { return mlonUltimoRegistro; }
    void setUltimoRegistro(int valor) { mlonUltimoRegistro = valor; }
    int TotalDeRegistros() const { return mlonTotalDeRegistros; }
    void setTotalDeRegistros(int valor) { mlonTotalDeRegistros = valor; }
    int RegistrosPorPagina() const { return mlonRegistrosPorPagina; }
    void setRegistrosPorPagina(int valor) { mlonRegistrosPorPagina = valor; }

    Q_INVOKABLE void Atualizar();
    // The text the bar shows since the last Atualizar.
    QString TextoExibido() const;
    // The bar's buttons, 1 first to 4 last (for whoever drives the bar as a person).
    QToolButton* Botao(int Botao) const;

    QSize sizeHint() const override { return QSize(260, 32); }

signals:
    void Click(int Botao);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void Posicionar();

    QToolButton* mobjBotoes[4];
    QLabel* mobjTexto;
    int mlonPrimeiroRegistro = 0;
    int mlonUltimoRegistro = 0;
    int mlonTotalDeRegistros = 0;
    int mlonRegistrosPorPagina = 0;
};
