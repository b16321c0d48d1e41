#include "business/Relogio.h"

namespace Relogio {
namespace {
std::function<QDateTime()>& RelogioDeTeste() {
    static std::function<QDateTime()> relogio;
    return relogio;
}
} // namespace

QDateTime Agora() {
    QDateTime agora = RelogioDeTeste() ? RelogioDeTeste()() : QDateTime::currentDateTime();
    agora.setTime(QTime(agora.time().hour(), agora.time().minute(), agora.time().second()));
    return agora;
}

QDate Hoje() {
    return Agora().date();
}

void DefinirParaTestes(std::function<QDateTime()> relogio) {
    RelogioDeTeste() = std::move(relogio);
}

} // namespace Relogio
