#include "platform/controls/XRDTPicker.h"

#include "contracts/VB.h"
#include "platform/controls/Aparencia.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>

XRDTPicker::XRDTPicker(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    mobjCaixa = new QDateEdit(QDate::currentDate(), this);
    mobjCaixa->setObjectName(QStringLiteral("dtpData"));
    mobjCaixa->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    mobjCaixa->setCalendarPopup(true);
    mobjCaixa->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    mobjCaixa->setStyleSheet(Aparencia::EstiloDaCaixaDeSelecao(Qt::white));
    QCalendarWidget* calendario = mobjCaixa->calendarWidget();
    calendario->setLocale(mobjCaixa->locale());
    calendario->setGridVisible(false);
    calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendario->setStyleSheet(
        QStringLiteral("QCalendarWidget QWidget#qt_calendar_navigationbar { background: %1; }"
                       " QCalendarWidget QToolButton { color: white; background: transparent;"
                       " font-weight: bold; }"
                       " QCalendarWidget QAbstractItemView { selection-background-color: %1;"
                       " selection-color: white; }")
            .arg(Aparencia::CorDeDestaque().name()));
    mobjIndicador = Aparencia::CriarIndicador(this, QStringLiteral("Calendario"));
    DefinirAlvoDoFoco(mobjCaixa);
    resize(sizeHint());
}

QString XRDTPicker::Value() const {
    return VB::Format(mobjCaixa->date(), QStringLiteral("DD/MM/YYYY"));
}

void XRDTPicker::setValue(const QString& texto) {
    mobjCaixa->setDate(VB::CDate(texto));
}

QSize XRDTPicker::sizeHint() const {
    return QSize(130, qMax(28, fontMetrics().height() + 12));
}

void XRDTPicker::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    mobjCaixa->setGeometry(rect());
    Aparencia::PosicionarIndicador(mobjIndicador);
}

void XRDTPicker::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) mobjCaixa->setFont(font());
    Controle::changeEvent(evento);
}
