#pragma once
// The time stepping shared by the time-table, shift, partner and subscriber fees: a price table
// of ordered steps charges a stay by subtracting each step's length from the remaining time and
// adding its price until the remainder falls below zero, so a stay ending exactly on a step
// boundary pays the next step. Time beyond the last step is charged by an extension rule.

#include "data/dinheiro.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class Banco;

struct Degrau {
    qint64 tempo = 0;   // length of the step, seconds
    Dinheiro valor;     // price of the step
};

// What is charged for the time left after the last step.
struct Excedente {
    enum class Tipo { Nenhum, PorPeriodo, Fixo };
    Tipo tipo = Tipo::Nenhum;
    qint64 periodo = 0;   // PorPeriodo: length of each period, seconds
    Dinheiro valor;       // price of each period, or of the one fixed charge

    static Excedente nenhum() { return {}; }
    // A period of no length is no rule at all: nothing would ever use the time up.
    static Excedente porPeriodo(qint64 periodo, Dinheiro valor) {
        if (periodo <= 0) return {};
        return {Tipo::PorPeriodo, periodo, valor};
    }
    static Excedente fixo(Dinheiro valor) { return {Tipo::Fixo, 0, valor}; }
};

// The steps taken once, in order: the first is always charged, step k + 1 when `duracao` is at
// least the summed length of steps 1 to k; a remainder after the last step pays the extension
// (every started period, or the fixed charge once). A stay exactly as long as all the steps
// pays no extension.
Dinheiro cobraDegraus(qint64 duracao, const QList<Degrau>& degraus, const Excedente& excedente);

// The steps repeating, the first following the last, until the remainder falls below zero.
// nullopt when the steps have no length at all (the stepping would never end).
std::optional<Dinheiro> cobraDegrausEmCiclo(qint64 duracao, const QList<Degrau>& degraus);

// The steps of a query whose first two columns are `tempo` and `valor`, in the query's order.
QList<Degrau> leDegraus(Banco& db, const QString& sql, const QVariantList& valores = {});
