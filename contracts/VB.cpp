#include "contracts/VB.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace VB {

// ---------------------------------------------------------------------------------------------
// Run-time errors
// ---------------------------------------------------------------------------------------------

ErroDeExecucao::ErroDeExecucao(long numero) : ErroDeExecucao(numero, DescricaoDoErro(numero)) {}

ErroDeExecucao::ErroDeExecucao(long numero, const QString& descricao)
    : mlonNumero(numero), mstrDescricao(descricao),
      mbytes(QString(QString::number(numero) + QStringLiteral(": ") + descricao).toUtf8()) {}

QString DescricaoDoErro(long numero) {
    switch (numero) {
    case ChamadaOuArgumentoInvalido:
        return QStringLiteral("Chamada de procedimento ou argumento inválido");
    case Estouro:
        return QStringLiteral("Estouro");
    case MemoriaInsuficiente:
        return QStringLiteral("Memória insuficiente");
    case SubscritoForaDoIntervalo:
        return QStringLiteral("Subscrito fora do intervalo");
    case DivisaoPorZero:
        return QStringLiteral("Divisão por zero");
    case TiposIncompativeis:
        return QStringLiteral("Tipos incompatíveis");
    case ErroInterno:
        return QStringLiteral("Erro interno");
    case ObjetoNaoDefinido:
        return QStringLiteral("Variável de objeto ou variável do bloco With não definida");
    case UsoInvalidoDeNull:
        return QStringLiteral("Uso inválido de Null");
    case ValorDePropriedadeInvalido:
        return QStringLiteral("Valor de propriedade inválido");
    case IndiceDePropriedadeInvalido:
        return QStringLiteral("Índice de matriz de propriedade inválido");
    case ComponenteNaoCriaObjeto:
        return QStringLiteral("O componente ActiveX não pode criar o objeto");
    case ObjetoNaoAceitaMembro:
        return QStringLiteral("O objeto não aceita esta propriedade ou método");
    case ArgumentosInvalidos:
        return QStringLiteral(
            "Os argumentos são do tipo errado, estão fora do intervalo aceitável ou estão em "
            "conflito.");
    case SemRegistroAtual:
        return QStringLiteral("O BOF ou o EOF é verdadeiro ou o registro atual foi excluído. A operação "
                              "solicitada requer um registro atual.");
    case ItemNaoEncontrado:
        return QStringLiteral(
            "O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal "
            "solicitado.");
    case ValorDeLinhaInvalido:
        return QStringLiteral("Valor de linha inválido");
    case ValorDeColunaInvalido:
        return QStringLiteral("Valor de coluna inválido");
    case UltimaLinhaNaoFixa:
        return QStringLiteral("Não é possível remover a última linha não fixa");
    default:
        return QStringLiteral("Erro definido pelo aplicativo ou pelo objeto");
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Decimal numbers
//
// Every conversion goes through an exact decimal: value = ±digitos × 10^expoente, digitos with no
// leading or trailing zeros (empty for zero). Rounding is decided on these digits, never on the
// binary value, so a tie is a tie as a person reads the number.
// ---------------------------------------------------------------------------------------------

struct Decimal {
    bool negativo = false;
    std::string digitos;
    int expoente = 0;
};

// Numbers typed with an exponent beyond this are clamped: far outside every range we convert to,
// and no text can make us build a digit string of unbounded length.
constexpr int ExpoenteLimite = 400;

void Normalizar(Decimal& d) {
    const auto primeiro = d.digitos.find_first_not_of('0');
    if (primeiro == std::string::npos) {
        d = Decimal{};
        return;
    }
    d.digitos.erase(0, primeiro);
    const auto ultimo = d.digitos.find_last_not_of('0');
    d.expoente += static_cast<int>(d.digitos.size() - 1 - ultimo);
    d.digitos.erase(ultimo + 1);
}

Decimal DecimalDeInteiro(bool negativo, quint64 magnitude) {
    Decimal d{negativo, std::to_string(magnitude), 0};
    Normalizar(d);
    return d;
}

Decimal DecimalDeInteiro(qint64 valor) {
    // Magnitude computed unsigned so that the most negative value has one.
    const quint64 magnitude = valor < 0 ? 0 - static_cast<quint64>(valor) : static_cast<quint64>(valor);
    return DecimalDeInteiro(valor < 0, magnitude);
}

Decimal DecimalDeCurrency(Currency c) {
    Decimal d = DecimalDeInteiro(c.DecimosDeMilesimos());
    if (!d.digitos.empty()) d.expoente -= 4;
    return d;
}

// The decimal a binary floating-point value stands for: the shortest text that reads back as the
// same value (significativos == 0), or the value rounded to that many significant digits (VB
// writes a Double with 15 and a Single with 7). Not a number and infinities are error 6.
template <typename Real> Decimal DecimalDeReal(Real valor, int significativos) {
    if (!std::isfinite(valor)) throw ErroDeExecucao(VB::Estouro);
    char texto[64];
    const Real magnitude = std::fabs(valor);
    const auto resultado =
        significativos > 0
            ? std::to_chars(texto, texto + sizeof texto, magnitude, std::chars_format::scientific,
                            significativos - 1)
            : std::to_chars(texto, texto + sizeof texto, magnitude, std::chars_format::scientific);
    // "d.ddde±XX" or "de±XX"
    const std::string_view s(texto, resultado.ptr);
    const auto e = s.find('e');
    Decimal d;
    for (char c : s.substr(0, e))
        if (c != '.') d.digitos += c;
    int expoenteCientifico = 0;
    const auto inicio = s.data() + e + (s[e + 1] == '+' ? 2 : 1);
    std::from_chars(inicio, s.data() + s.size(), expoenteCientifico);
    d.expoente = expoenteCientifico - static_cast<int>(d.digitos.size() - 1);
    d.negativo = std::signbit(valor);
    Normalizar(d);
    return d;
}

bool EhDigito(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool EhBranco(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x00A0);
}

// Reads a number written as VB reads it under the Brazilian settings: "," decimal, "." thousands
// (ignored wherever it stands in the integer part, as VB does: "1.5" is fifteen), blanks around,
// a leading "+"/"-" or a trailing "-"/"+", parentheses for a negative, the currency sign "R$"
// before the number (with or without a blank) and an exponent ("1,5E3"). Hex ("&H") and octal
// ("&O") literals are not read: nothing in the system writes them.
class LeitorDeNumero {
public:
    explicit LeitorDeNumero(const QString& texto) : t(texto) {}

    std::optional<Decimal> Ler() {
        Decimal d;
        PularBrancos();
        const bool parenteses = Aceitar(u'(');
        PularBrancos();
        bool temSinal = LerSinal(d.negativo);
        PularBrancos();
        if (AceitarMoeda()) {
            PularBrancos();
            if (!temSinal) temSinal = LerSinal(d.negativo);
            PularBrancos();
        }
        if (!LerMantissa(d) || !LerExpoente(d)) return std::nullopt;
        PularBrancos();
        if (!temSinal && !parenteses) {
            temSinal = LerSinal(d.negativo);
            PularBrancos();
        }
        if (parenteses) {
            if (temSinal || !Aceitar(u')')) return std::nullopt;
            d.negativo = true;
            PularBrancos();
        }
        if (i != t.size()) return std::nullopt;
        Normalizar(d);
        LimitarExpoente(d);
        return d;
    }

private:
    const QString& t;
    qsizetype i = 0;

    bool Aceitar(QChar c) {
        if (i < t.size() && t[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    void PularBrancos() {
        while (i < t.size() && EhBranco(t[i]))
            ++i;
    }
    bool LerSinal(bool& negativo) {
        if (Aceitar(u'-'))
            negativo = true;
        else if (!Aceitar(u'+'))
            return false;
        return true;
    }
    bool AceitarMoeda() {
        if (t.mid(i, 2).compare(QStringLiteral("R$"), Qt::CaseInsensitive) != 0) return false;
        i += 2;
        return true;
    }
    bool LerMantissa(Decimal& d) {
        bool temDigito = false;
        for (; i < t.size() && (EhDigito(t[i]) || t[i] == u'.'); ++i) {
            if (t[i] == u'.') continue; // thousands separator
            d.digitos += static_cast<char>(t[i].unicode());
            temDigito = true;
        }
        if (Aceitar(u',')) { // a "." after it ends the number, so "1,234.5" is not one
            for (; i < t.size() && EhDigito(t[i]); ++i) {
                d.digitos += static_cast<char>(t[i].unicode());
                --d.expoente;
                temDigito = true;
            }
        }
        return temDigito;
    }
    bool LerExpoente(Decimal& d) {
        if (!Aceitar(u'E') && !Aceitar(u'e')) return true;
        bool negativo = false;
        LerSinal(negativo);
        int expoente = 0;
        bool temDigito = false;
        for (; i < t.size() && EhDigito(t[i]); ++i) {
            expoente = std::min(expoente * 10 + (t[i].unicode() - u'0'), 100000);
            temDigito = true;
        }
        d.expoente += negativo ? -expoente : expoente;
        return temDigito;
    }
    static void LimitarExpoente(Decimal& d) {
        if (d.digitos.empty()) return;
        const long ordem = static_cast<long>(d.digitos.size()) + d.expoente;
        if (ordem > ExpoenteLimite)
            d = Decimal{d.negativo, "1", ExpoenteLimite};
        else if (ordem < -ExpoenteLimite)
            d = Decimal{};
    }
};

std::optional<Decimal> DecimalDeTexto(const QString& texto) {
    return LeitorDeNumero(texto).Ler();
}

enum class Desempate { ParaPar, AfastandoDoZero };

// The digits of |d| × 10^casas rounded to a whole number (no leading zeros, empty for zero).
std::string Arredondar(const Decimal& d, int casas, Desempate modo) {
    if (d.digitos.empty()) return {};
    const long deslocamento = static_cast<long>(d.expoente) + casas;
    if (deslocamento >= 0) return d.digitos + std::string(static_cast<size_t>(deslocamento), '0');
    const long manter = static_cast<long>(d.digitos.size()) + deslocamento;
    if (manter < 0) return {}; // below a tenth of the last place kept
    std::string resultado = d.digitos.substr(0, static_cast<size_t>(manter));
    const char primeiroDescartado = d.digitos[static_cast<size_t>(manter)];
    // Normalised digits end in a non-zero digit, so anything after the first dropped one is > 0.
    const bool acimaDaMetade = static_cast<size_t>(manter) + 1 < d.digitos.size();
    const bool ultimoImpar = !resultado.empty() && (resultado.back() - '0') % 2 == 1;
    const bool subir =
        primeiroDescartado > '5' ||
        (primeiroDescartado == '5' && (acimaDaMetade || modo == Desempate::AfastandoDoZero || ultimoImpar));
    if (subir) {
        auto p = resultado.rbegin();
        for (; p != resultado.rend() && *p == '9'; ++p)
            *p = '0';
        if (p == resultado.rend())
            resultado.insert(resultado.begin(), '1');
        else
            ++*p;
    }
    return resultado;
}

// d rounded half to even to `casas` places, as a count of 10^-casas; error 6 outside [minimo, maximo].
qint64 ArredondarNoIntervalo(const Decimal& d, int casas, qint64 minimo, qint64 maximo) {
    const std::string digitos = Arredondar(d, casas, Desempate::ParaPar);
    if (digitos.size() > 20) throw ErroDeExecucao(VB::Estouro);
    __int128 valor = 0;
    for (char c : digitos)
        valor = valor * 10 + (c - '0');
    if (d.negativo) valor = -valor;
    if (valor < minimo || valor > maximo) throw ErroDeExecucao(VB::Estouro);
    return static_cast<qint64>(valor);
}

// The nearest double; nullopt when the number is too large for one.
std::optional<double> TentarDouble(const Decimal& d) {
    if (d.digitos.empty()) return 0.0;
    const std::string texto = d.digitos + 'e' + std::to_string(d.expoente);
    double valor = 0;
    const auto resultado = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (resultado.ec == std::errc::result_out_of_range) {
        if (static_cast<long>(d.digitos.size()) + d.expoente > 0) return std::nullopt;
        valor = 0; // too small: VB gives zero
    }
    return d.negativo ? -valor : valor;
}

double ParaDouble(const Decimal& d) {
    const auto valor = TentarDouble(d);
    if (!valor) throw ErroDeExecucao(VB::Estouro);
    return *valor;
}

bool EhCurrency(const QVariant& v) {
    return v.typeId() == qMetaTypeId<Currency>();
}

bool EhTipoInteiro(int tipo) {
    switch (tipo) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// The numeric value of a variant: Empty is 0, True is -1, text is read as VB reads it. Null is
// error 94; dates and anything that is not a number are error 13.
Decimal DecimalDe(const QVariant& v) {
    if (IsEmpty(v)) return {};
    if (IsNull(v)) throw ErroDeExecucao(VB::UsoInvalidoDeNull);
    if (EhCurrency(v)) return DecimalDeCurrency(v.value<Currency>());
    const int tipo = v.typeId();
    if (EhTipoInteiro(tipo)) return DecimalDeInteiro(v.toLongLong());
    switch (tipo) {
    case QMetaType::ULongLong:
        return DecimalDeInteiro(false, v.toULongLong());
    case QMetaType::Bool:
        return DecimalDeInteiro(v.toBool() ? -1 : 0);
    case QMetaType::Double:
        return DecimalDeReal(v.toDouble(), 0);
    case QMetaType::Float:
        return DecimalDeReal(v.toFloat(), 0);
    case QMetaType::QString: {
        const auto d = DecimalDeTexto(v.toString());
        if (!d) throw ErroDeExecucao(VB::TiposIncompativeis);
        return *d;
    }
    default:
        throw ErroDeExecucao(VB::TiposIncompativeis);
    }
}

// ---------------------------------------------------------------------------------------------
// Texts of numbers
// ---------------------------------------------------------------------------------------------

// Splits the digits of a whole count of 10^-casas into integer part ("0" when none) and `casas`
// decimal digits.
std::pair<std::string, std::string> Separar(const std::string& digitos, int casas) {
    const size_t n = static_cast<size_t>(casas);
    if (digitos.size() > n)
        return {digitos.substr(0, digitos.size() - n), digitos.substr(digitos.size() - n)};
    return {"0", std::string(n - digitos.size(), '0') + digitos};
}

std::string Agrupar(const std::string& inteiro) {
    std::string resultado;
    for (size_t k = 0; k < inteiro.size(); ++k) {
        if (k > 0 && (inteiro.size() - k) % 3 == 0) resultado += '.';
        resultado += inteiro[k];
    }
    return resultado;
}

// Plain decimal text with "," and no trailing zeros: "12,5", "3", "-0,0001".
QString TextoFixo(const Decimal& d) {
    if (d.digitos.empty()) return QStringLiteral("0");
    const auto [inteiro, fracao] =
        d.expoente >= 0 ? Separar(d.digitos + std::string(static_cast<size_t>(d.expoente), '0'), 0)
                        : Separar(d.digitos, -d.expoente);
    std::string texto = (d.negativo ? "-" : "") + inteiro;
    if (!fracao.empty()) texto += ',' + fracao;
    return QString::fromStdString(texto);
}

// VB's default text of a Double (15 significant digits) or Single (7), with the rule of C's "%G":
// plain from 0,0001 up to below 1E+15 (1E+07 for a Single), else scientific with a signed exponent
// of at least two digits ("1E+20", "1,5E-07", "1E-05").
template <typename Real> QString TextoGeral(Real valor, int significativos) {
    const Decimal d = DecimalDeReal(valor, significativos);
    if (d.digitos.empty()) return QStringLiteral("0");
    const int ordem = static_cast<int>(d.digitos.size()) - 1 + d.expoente;
    if (ordem >= -4 && ordem < significativos) return TextoFixo(d);
    std::string texto = d.negativo ? "-" : "";
    texto += d.digitos[0];
    if (d.digitos.size() > 1) texto += ',' + d.digitos.substr(1);
    const std::string expoente = std::to_string(std::abs(ordem));
    texto += std::string(ordem < 0 ? "E-" : "E+") + (expoente.size() < 2 ? "0" : "") + expoente;
    return QString::fromStdString(texto);
}

// A numeric Format pattern: digit placeholders "0" (always written) and "#" (written when
// significant), "," anywhere in the integer part for thousands grouping, "." before the decimals.
struct PadraoNumerico {
    bool agrupar = false;
    int minimoDeInteiros = 0;
    int minimoDeDecimais = 0;
    int maximoDeDecimais = 0;
    bool temSeparadorDecimal = false;
};

// Patterns other than these (literal text, sections, named formats) are not used by the system and
// are refused with error 5 so that a mistyped pattern shows at once.
std::optional<PadraoNumerico> LerPadraoNumerico(const QString& formato) {
    PadraoNumerico p;
    bool temMarcador = false;
    for (QChar c : formato) {
        if (c == u'.') {
            if (p.temSeparadorDecimal) return std::nullopt;
            p.temSeparadorDecimal = true;
        } else if (c == u',') {
            if (p.temSeparadorDecimal) return std::nullopt;
            p.agrupar = true;
        } else if (c == u'0' || c == u'#') {
            temMarcador = true;
            if (!p.temSeparadorDecimal) {
                if (c == u'0') ++p.minimoDeInteiros;
            } else {
                if (c == u'0') {
                    if (p.maximoDeDecimais > p.minimoDeDecimais) return std::nullopt; // "0.#0"
                    ++p.minimoDeDecimais;
                }
                ++p.maximoDeDecimais;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!temMarcador) return std::nullopt;
    return p;
}

QString FormatarNumero(const Decimal& d, const PadraoNumerico& p) {
    const std::string digitos = Arredondar(d, p.maximoDeDecimais, Desempate::AfastandoDoZero);
    auto [inteiro, fracao] = Separar(digitos, p.maximoDeDecimais);
    inteiro.erase(0, std::min(inteiro.find_first_not_of('0'), inteiro.size()));
    if (inteiro.size() < static_cast<size_t>(p.minimoDeInteiros))
        inteiro.insert(0, static_cast<size_t>(p.minimoDeInteiros) - inteiro.size(), '0');
    while (fracao.size() > static_cast<size_t>(p.minimoDeDecimais) && fracao.back() == '0')
        fracao.pop_back();
    // A value that rounds to zero is written without its sign.
    std::string texto = d.negativo && !digitos.empty() ? "-" : "";
    texto += p.agrupar ? Agrupar(inteiro) : inteiro;
    if (p.temSeparadorDecimal) texto += ',' + fracao;
    return QString::fromStdString(texto);
}

// Format works on the value's own text, as VB does: a Double is first written with 15 significant
// digits, so Format(2.345, "0.00") sees 2,345 and rounds it up.
Decimal DecimalParaFormatar(const QVariant& v) {
    if (v.typeId() == QMetaType::Double) return DecimalDeReal(v.toDouble(), 15);
    if (v.typeId() == QMetaType::Float) return DecimalDeReal(v.toFloat(), 7);
    return DecimalDe(v);
}

// ---------------------------------------------------------------------------------------------
// Dates
// ---------------------------------------------------------------------------------------------

const QString FormatoDeData = QStringLiteral("dd/MM/yyyy");

bool EhData(const QVariant& v) {
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

QDate ParteData(const QVariant& v) {
    return v.typeId() == QMetaType::QDate ? v.toDate() : v.toDateTime().date();
}

// "D/M/YYYY" (day and month with one or two digits), optionally followed by a time "H:MM[:SS]",
// both checked as real. Two-digit years follow Windows' window: 00-29 are 2000s, 30-99 1900s.
std::optional<QDate> DataDeTexto(const QString& texto) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*([0-9]{1,2})/([0-9]{1,2})/([0-9]{4}|[0-9]{2})(?:\s+([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?)?\s*$)"));
    const auto m = re.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    int ano = m.captured(3).toInt();
    if (m.captured(3).size() == 2) ano += ano < 30 ? 2000 : 1900;
    if (ano < 100) return std::nullopt; // VB's dates start at year 100
    const QDate data(ano, m.captured(2).toInt(), m.captured(1).toInt());
    if (!data.isValid()) return std::nullopt;
    if (m.hasCaptured(4) &&
        !QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()).isValid())
        return std::nullopt;
    return data;
}

QString FormatarData(const QVariant& valor) {
    if (EhData(valor)) return ParteData(valor).toString(FormatoDeData);
    if (valor.typeId() == QMetaType::QString) {
        // Text that is not a date comes back unchanged, as VB's Format returns it.
        const auto data = DataDeTexto(valor.toString());
        return data ? data->toString(FormatoDeData) : valor.toString();
    }
    throw ErroDeExecucao(VB::TiposIncompativeis); // numbers are not dates in this system
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Currency
// ---------------------------------------------------------------------------------------------

namespace {
constexpr qint64 MaiorCurrencyInteira = std::numeric_limits<qint64>::max() / 10000;
} // namespace

Currency Currency::DeDouble(double valor) {
    return DeDecimosDeMilesimos(ArredondarNoIntervalo(
        DecimalDeReal(valor, 0), 4, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()));
}

Currency Currency::DeInteiro(qint64 valor) {
    if (valor > MaiorCurrencyInteira || valor < -MaiorCurrencyInteira) throw ErroDeExecucao(VB::Estouro);
    return DeDecimosDeMilesimos(valor * 10000);
}

std::optional<Currency> SomaNoIntervalo(Currency a, Currency b) {
    qint64 r;
    if (__builtin_add_overflow(a.DecimosDeMilesimos(), b.DecimosDeMilesimos(), &r)) return std::nullopt;
    return Currency::DeDecimosDeMilesimos(r);
}

std::optional<Currency> DiferencaNoIntervalo(Currency a, Currency b) {
    qint64 r;
    if (__builtin_sub_overflow(a.DecimosDeMilesimos(), b.DecimosDeMilesimos(), &r)) return std::nullopt;
    return Currency::DeDecimosDeMilesimos(r);
}

// The exact product (in 10^-8) rounded half to even to four places, then checked.
std::optional<Currency> ProdutoNoIntervalo(Currency a, Currency b) {
    const __int128 produto = static_cast<__int128>(a.DecimosDeMilesimos()) * b.DecimosDeMilesimos();
    __int128 q = produto / 10000;
    const __int128 resto = produto % 10000; // same sign as the product
    const __int128 dobro = resto < 0 ? -2 * resto : 2 * resto;
    if (dobro > 10000 || (dobro == 10000 && q % 2 != 0)) q += produto < 0 ? -1 : 1;
    if (q < std::numeric_limits<qint64>::min() || q > std::numeric_limits<qint64>::max()) return std::nullopt;
    return Currency::DeDecimosDeMilesimos(static_cast<qint64>(q));
}

namespace {
Currency OuEstouro(std::optional<Currency> resultado) {
    if (!resultado) throw ErroDeExecucao(VB::Estouro);
    return *resultado;
}
} // namespace

Currency Currency::operator+(Currency o) const {
    return OuEstouro(SomaNoIntervalo(*this, o));
}

Currency Currency::operator-(Currency o) const {
    return OuEstouro(DiferencaNoIntervalo(*this, o));
}

Currency Currency::operator-() const {
    return Currency() - *this;
}

Currency Currency::operator*(Currency o) const {
    return OuEstouro(ProdutoNoIntervalo(*this, o));
}

Currency Currency::operator*(qint64 n) const {
    qint64 r;
    if (__builtin_mul_overflow(m, n, &r)) throw ErroDeExecucao(VB::Estouro);
    return DeDecimosDeMilesimos(r);
}

// Divides the two counts directly (one rounding), so 0,3 / 0,1 is exactly 3.
double Currency::operator/(Currency o) const {
    if (o.m == 0) throw ErroDeExecucao(VB::DivisaoPorZero);
    return static_cast<double>(m) / static_cast<double>(o.m);
}

// ---------------------------------------------------------------------------------------------
// Variants
// ---------------------------------------------------------------------------------------------

QVariant Null() {
    return QVariant::fromValue(nullptr);
}
bool IsNull(const QVariant& v) {
    return v.isValid() && v.isNull();
}
bool IsEmpty(const QVariant& v) {
    return !v.isValid();
}

bool IsNumeric(const QVariant& v) {
    if (IsEmpty(v)) return true;
    if (IsNull(v)) return false;
    if (v.typeId() == QMetaType::QString) {
        const auto d = DecimalDeTexto(v.toString());
        return d && TentarDouble(*d).has_value();
    }
    if (EhData(v)) return false;
    try {
        DecimalDe(v);
        return true;
    } catch (const ErroDeExecucao&) {
        return false;
    }
}

Currency CCur(const QVariant& v) {
    if (EhCurrency(v)) return v.value<Currency>();
    return Currency::DeDecimosDeMilesimos(ArredondarNoIntervalo(
        DecimalDe(v), 4, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()));
}

std::optional<Currency> CCurNoIntervalo(const QVariant& v) {
    if (EhCurrency(v)) return v.value<Currency>();
    if (IsEmpty(v)) return Currency();
    if (IsNull(v) || EhData(v)) return std::nullopt;
    try {
        return CCur(v);
    } catch (const ErroDeExecucao&) {
        return std::nullopt;
    }
}

std::optional<double> CodigoNumerico(const QString& texto) {
    const QString codigo = texto.trimmed();
    if (codigo.isEmpty()) return std::nullopt;
    double valor = 0;
    for (const QChar c : codigo) {
        if (!EhDigito(c)) return std::nullopt;
        valor = valor * 10 + (c.unicode() - u'0'); // exact: below 10^15 at every step
        if (valor >= 1e15) return std::nullopt;
    }
    return valor;
}

double CDbl(const QVariant& v) {
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) return v.toDouble();
    return ParaDouble(DecimalDe(v));
}

qint32 CLng(const QVariant& v) {
    return static_cast<qint32>(ArredondarNoIntervalo(DecimalDe(v), 0, std::numeric_limits<qint32>::min(),
                                                     std::numeric_limits<qint32>::max()));
}

qint16 CInt(const QVariant& v) {
    return static_cast<qint16>(ArredondarNoIntervalo(DecimalDe(v), 0, std::numeric_limits<qint16>::min(),
                                                     std::numeric_limits<qint16>::max()));
}

bool CBool(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString texto = v.toString().trimmed();
        for (const char* verdadeiro : {"Verdadeiro", "True"})
            if (texto.compare(QLatin1String(verdadeiro), Qt::CaseInsensitive) == 0) return true;
        for (const char* falso : {"Falso", "False"})
            if (texto.compare(QLatin1String(falso), Qt::CaseInsensitive) == 0) return false;
    }
    return !DecimalDe(v).digitos.empty();
}

QDate CDate(const QVariant& v) {
    if (IsNull(v)) throw ErroDeExecucao(VB::UsoInvalidoDeNull);
    if (IsEmpty(v)) return QDate(1899, 12, 30); // VB's day zero
    if (EhData(v)) return ParteData(v);
    if (v.typeId() == QMetaType::QString)
        if (const auto data = DataDeTexto(v.toString())) return *data;
    throw ErroDeExecucao(VB::TiposIncompativeis);
}

double ArredondarParaPar(double valor) {
    if (!std::isfinite(valor)) return valor;
    Decimal d = DecimalDeReal(valor, 0);
    d.digitos = Arredondar(d, 0, Desempate::ParaPar);
    d.expoente = 0;
    Normalizar(d);
    return ParaDouble(d);
}

QString Format(const QVariant& valor, const QString& formato) {
    if (IsEmpty(valor)) return {};
    if (IsNull(valor)) throw ErroDeExecucao(VB::UsoInvalidoDeNull);
    if (formato.compare(QStringLiteral("dd/mm/yyyy"), Qt::CaseInsensitive) == 0) return FormatarData(valor);
    if (formato.isEmpty()) return CStr(valor);
    const auto padrao = LerPadraoNumerico(formato);
    if (!padrao) throw ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    // Text that is not a number comes back unchanged, as VB's Format returns it.
    if (valor.typeId() == QMetaType::QString && !IsNumeric(valor)) return valor.toString();
    return FormatarNumero(DecimalParaFormatar(valor), *padrao);
}

QString CStr(const QVariant& v) {
    if (IsEmpty(v)) return {};
    if (IsNull(v)) throw ErroDeExecucao(VB::UsoInvalidoDeNull);
    if (EhCurrency(v)) return TextoFixo(DecimalDeCurrency(v.value<Currency>()));
    const int tipo = v.typeId();
    if (EhTipoInteiro(tipo)) return QString::number(v.toLongLong());
    switch (tipo) {
    case QMetaType::ULongLong:
        return QString::number(v.toULongLong());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
    case QMetaType::Double:
        return TextoGeral(v.toDouble(), 15);
    case QMetaType::Float:
        return TextoGeral(v.toFloat(), 7);
    case QMetaType::QString:
        return v.toString();
    case QMetaType::QChar:
    case QMetaType::QByteArray:
        return v.toString();
    case QMetaType::QDate:
        return v.toDate().toString(FormatoDeData);
    case QMetaType::QDateTime: {
        const QDateTime dataHora = v.toDateTime();
        if (dataHora.time() == QTime(0, 0)) return dataHora.date().toString(FormatoDeData);
        return dataHora.toString(QString(FormatoDeData + QStringLiteral(" HH:mm:ss")));
    }
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        throw ErroDeExecucao(VB::TiposIncompativeis);
    }
}

} // namespace VB
