#include "contracts/Sinal.h"

#include "contracts/Textos.h"

namespace Sinal {

VB::Currency Valor(VB::Currency valorAprovado, VB::Currency percentual) {
    // Both in ten-thousandths: the deposit in cents is a * p / (10000 * 100 * 100), with
    // one rounding, half to even, on the exact product.
    const __int128 produto =
        static_cast<__int128>(valorAprovado.DecimosDeMilesimos()) * percentual.DecimosDeMilesimos();
    const __int128 divisor = __int128(10000) * 100 * 100;
    __int128 centavos = produto / divisor;
    const __int128 resto = produto % divisor;
    if (resto * 2 > divisor || (resto * 2 == divisor && centavos % 2 != 0)) ++centavos;
    return VB::Currency::DeDecimosDeMilesimos(static_cast<qint64>(centavos) * 100);
}

QString Linha(VB::Currency valor, VB::Currency percentual, bool faixa) {
    QString porcento = VB::Format(QVariant::fromValue(percentual), QStringLiteral("#,##0.00"));
    while (porcento.endsWith(u'0') && porcento.contains(u','))
        porcento.chop(1);
    if (porcento.endsWith(u',')) porcento.chop(1);
    return QStringLiteral("Sinal para confirmar: %1 (%2 % do valor %3aprovado)")
        .arg(Textos::EmReais(valor), porcento, faixa ? QStringLiteral("mínimo ") : QString());
}

QString TextoDoReembolso(bool reembolsavel) {
    // Both texts, as the clinic's setting chooses: a refundable deposit is given back
    // when the procedure is not done; otherwise the client knows before paying.
    return reembolsavel ? QStringLiteral("O sinal será devolvido se o procedimento não for realizado.")
                        : QStringLiteral("O sinal não é reembolsável.");
}

} // namespace Sinal
