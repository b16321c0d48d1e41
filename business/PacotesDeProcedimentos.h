#pragma once
// Procedure packages (ZELT_N_Orcamentos.clsPacotesDeProcedimentos): a castration or a
// dental cleaning as the services and products it takes, by the animal's weight band.
// Also what a quote keeps of them: the animal's weight given with it and its items
// marked "se necessário", in tables of their own beside the quote's (the quote's and
// items' stored columns, and with them the history's copies, stay as they were), and
// the estimate from–to those marks give.

#include "business/Dialeto.h"
#include "contracts/Negocio.h"

#include <QList>
#include <QString>

namespace PacotesDeProcedimentos {

using ZELT_N_Orcamentos::FaixaDePeso;
using ZELT_N_Orcamentos::PacoteDeProcedimentos;

// The schema version that brings the packages, the quotes' weights and marks.
void CriarEsquema(const Dialeto& dialeto);

// A weight as the person reads it: "4", "3,8", "12,125" (kg, up to three decimals).
QString TextoDoPeso(VB::Currency peso);
// A band as the messages name it: "até 4 kg" (from 0) or "de 4 a 8 kg".
QString TextoDaFaixa(const FaixaDePeso& faixa);
// The weight typed ("3,8", "3,8 kg"): a number above 0 and at most 1.000 kg, three
// decimals at most; nothing otherwise.
std::optional<VB::Currency> PesoDigitado(const QString& texto);

// The package's own checks, before anything is read from the registry: a name, a
// species of the three, bands ordered with no gap and no overlap, each with items of a
// positive quantity (whole for a service). The first fault's message, empty when none.
QString ProblemaDoPacote(const PacoteDeProcedimentos& pacote);
// The band that holds the weight: (PesoInicial, PesoFinal]. Nothing when none does.
const FaixaDePeso* FaixaDoPeso(const PacoteDeProcedimentos& pacote, VB::Currency peso);
// Whether an animal of that registered species may take a package for that one
// ("Cão", "Gato", empty for any). An animal whose species is not registered fits any.
bool EspecieServe(const QString& especieDoPacote, const QString& especieDoAnimal);

// Reads a package whole, with its items' names; nothing when unknown.
std::optional<PacoteDeProcedimentos> Ler(qint64 codigo);
std::optional<PacoteDeProcedimentos> LerPorNome(const QString& nome);
// Every package by name, whole.
QList<PacoteDeProcedimentos> Todos();
// Stores the package whole in the caller's unit of work (checked first: rejected, 2,
// with the message; an item not in the registry too) and answers its code. A package
// of the same name and another code is rejected.
qint64 Gravar(const PacoteDeProcedimentos& pacote);

// What a save stores beside a quote, in its unit of work: the weight given (when given)
// for the quote's animal, and which items are "se necessário" (by item number).
void GravarNoOrcamento(qint64 numeroDoOrcamento, qint64 codigoDoAnimal, std::optional<VB::Currency> peso,
                       const QList<qint64>& itensSeNecessario);

// A stored quote's low and high totals: the high is its stored net value (the sum of
// every item), the low leaves out the items marked "se necessário". Nothing for an
// unknown quote. The one place the sheet, the approval and the deposit read them.
struct Estimativa {
    VB::Currency Minimo, Maximo;
    qint32 ItensSeNecessario = 0; // how many of its items are marked
};
std::optional<Estimativa> EstimativaDoOrcamento(qint64 numeroDoOrcamento);

} // namespace PacotesDeProcedimentos
