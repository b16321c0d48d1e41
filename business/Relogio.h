#pragma once
// The business layer's clock: the date of a new quote, the stamps of inclusion and
// alteration and the "Recentes" filter all ask it. Tests may set the time.

#include <QDate>
#include <QDateTime>
#include <functional>

namespace Relogio {

// Local date and time, to the second (stamps are stored at second precision).
QDateTime Agora();
QDate Hoje();

// Replaces the clock until called again with an empty function.
void DefinirParaTestes(std::function<QDateTime()> relogio);

} // namespace Relogio
