#pragma once
// The arithmetic and texts of VB6 under a Brazilian locale, in one place.
// Every form and the business layer use these; nothing else converts numbers or
// dates to and from text.
//
// Values travel as QVariant with this convention:
//   Empty  = an invalid QVariant()            (VB's Empty: never assigned)
//   Null   = VB::Null(), a valid variant that isNull() (also what QtSql gives for NULL)
//   String = QString, Long = qint32, Integer = qint16, Double = double,
//   Currency = VB::Currency, Date = QDate or QDateTime, Boolean = bool.

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <exception>
#include <optional>

namespace VB {

// A run-time error with VB's number and its Portuguese description. Only a
// procedure's error trap catches it.
class ErroDeExecucao : public std::exception {
public:
    explicit ErroDeExecucao(long numero);                  // description from the table below
    ErroDeExecucao(long numero, const QString& descricao); // description given
    long Numero() const { return mlonNumero; }
    QString Descricao() const { return mstrDescricao; }
    const char* what() const noexcept override { return mbytes.constData(); }

private:
    long mlonNumero;
    QString mstrDescricao;
    QByteArray mbytes;
};

// VB's run-time error numbers that the system raises or reports, named once; their
// Portuguese descriptions are DescricaoDoErro's. 3001, 3021 and 3265 are ADO's, 30009,
// 30010 and 30015 the flex grid's.
enum Erro : long {
    ChamadaOuArgumentoInvalido = 5,
    Estouro = 6,
    MemoriaInsuficiente = 7,
    SubscritoForaDoIntervalo = 9,
    DivisaoPorZero = 11,
    TiposIncompativeis = 13,
    ErroInterno = 51,
    ObjetoNaoDefinido = 91,
    UsoInvalidoDeNull = 94,
    ValorDePropriedadeInvalido = 380,
    IndiceDePropriedadeInvalido = 381,
    ComponenteNaoCriaObjeto = 429,
    ObjetoNaoAceitaMembro = 438,
    ArgumentosInvalidos = 3001,
    SemRegistroAtual = 3021,
    ItemNaoEncontrado = 3265,
    ValorDeLinhaInvalido = 30009,
    ValorDeColunaInvalido = 30010,
    UltimaLinhaNaoFixa = 30015,
};

// VB's description of a run-time error number; other numbers "Erro definido pelo
// aplicativo ou pelo objeto".
QString DescricaoDoErro(long numero);

// Fixed point with four decimal places: a 64-bit count of ten-thousandths.
// Conversions into it round half to even; results out of range are error 6.
class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency DeDecimosDeMilesimos(qint64 bruto) {
        Currency c;
        c.m = bruto;
        return c;
    }
    static Currency DeDouble(double valor); // half to even at the fourth decimal; error 6 out of range
    static Currency DeInteiro(qint64 valor);
    constexpr qint64 DecimosDeMilesimos() const { return m; }
    double ParaDouble() const { return static_cast<double>(m) / 10000.0; }

    Currency operator+(Currency o) const; // error 6 on overflow
    Currency operator-(Currency o) const;
    Currency operator-() const;
    Currency operator*(Currency o) const; // rounded half to even to four places
    Currency operator*(qint64 n) const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    double operator/(Currency o) const; // "as a double"; error 11 when o is zero
    constexpr auto operator<=>(const Currency&) const = default;

private:
    qint64 m = 0;
};

// Currency's range checked before the arithmetic is made: the result, or nothing when it
// would fall outside the range (where the operators and CCur raise error 6). The forms
// ask these first, so that a value too large is refused with their own message.
std::optional<Currency> SomaNoIntervalo(Currency a, Currency b);
std::optional<Currency> DiferencaNoIntervalo(Currency a, Currency b);
std::optional<Currency> ProdutoNoIntervalo(Currency a, Currency b);

QVariant Null();
bool IsNull(const QVariant& v);  // valid and null (VB::Null() or a NULL from QtSql)
bool IsEmpty(const QVariant& v); // never assigned

// Text to number, with "," as decimal and "." as thousands separator; blanks around
// the number, a leading or trailing sign, parentheses for negatives and the currency
// sign "R$" are accepted as VB accepts them. Numbers keep their value.
bool IsNumeric(const QVariant& v);
Currency CCur(const QVariant& v); // error 13 not a number, 6 out of range, 94 Null
double CDbl(const QVariant& v);
qint32 CLng(const QVariant& v); // rounds half to even
qint16 CInt(const QVariant& v); // rounds half to even
bool CBool(const QVariant& v);
QDate CDate(const QVariant& v); // "DD/MM/YYYY" (or a date value); error 13 otherwise
// CCur without its errors: nothing when the value is no number or falls outside the range.
std::optional<Currency> CCurNoIntervalo(const QVariant& v);

// The code typed in a code field as the Double the searches take: nothing unless the
// text (blanks around it aside) is digits only and names a whole number of 15 digits at
// most, the most a Double holds and CStr writes back as they were typed.
std::optional<double> CodigoNumerico(const QString& texto);

// Rounds half to even to a whole number (VB's CLng/CInt/Round rule).
double ArredondarParaPar(double valor);

// Format for the patterns the system uses: "#,##0.00", "#,##0.000", "0" and the date
// pattern "DD/MM/YYYY". Numbers round half away from zero, as VB's Format does.
// Empty gives ""; Null is error 94; text that is a number is formatted as that number.
QString Format(const QVariant& valor, const QString& formato);

// The default text form of a value (what VB writes when a value is assigned to a
// text without formatting): Currency 12.5 is "12,5", True is "Verdadeiro", a date is
// "05/12/2026" (with " HH:MM:SS" when it carries a time), Empty is "".
// Null is error 94.
QString CStr(const QVariant& v);

} // namespace VB

Q_DECLARE_METATYPE(VB::Currency)
