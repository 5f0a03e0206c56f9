#include "yard/tarifas/escalonamento.h"

#include "data/banco.h"
#include "yard/tarifas/horarios.h"

#include <QSqlQuery>

Dinheiro cobraDegraus(qint64 duracao, const QList<Degrau>& degraus, const Excedente& excedente) {
    Dinheiro total;
    qint64 resto = duracao;
    for (const Degrau& d : degraus) {
        resto -= d.tempo;
        total += d.valor;
        if (resto < 0) return total;
    }
    if (resto <= 0) return total;
    switch (excedente.tipo) {
    case Excedente::Tipo::Nenhum:
        break;
    case Excedente::Tipo::Fixo:
        total += excedente.valor;
        break;
    case Excedente::Tipo::PorPeriodo: {
        // Every started period: a remainder of exactly n periods pays n.
        const qint64 periodos = (resto + excedente.periodo - 1) / excedente.periodo;
        total += excedente.valor * periodos;
        break;
    }
    }
    return total;
}

std::optional<Dinheiro> cobraDegrausEmCiclo(qint64 duracao, const QList<Degrau>& degraus) {
    qint64 ciclo = 0;
    Dinheiro precoCiclo;
    for (const Degrau& d : degraus) {
        ciclo += d.tempo;
        precoCiclo += d.valor;
    }
    if (ciclo <= 0) return std::nullopt;

    Dinheiro total;
    qint64 resto = duracao;
    // Whole rounds of the table that leave at least one more round to go are charged at once:
    // the remainder cannot fall below zero inside them, so the stepping would take them all.
    if (resto >= 2 * ciclo) {
        const qint64 voltas = resto / ciclo - 1;
        total += precoCiclo * voltas;
        resto -= voltas * ciclo;
    }
    for (qsizetype i = 0;; i = (i + 1) % degraus.size()) {
        resto -= degraus[i].tempo;
        total += degraus[i].valor;
        if (resto < 0) return total;
    }
}

QList<Degrau> leDegraus(Banco& db, const QString& sql, const QVariantList& valores) {
    QList<Degrau> degraus;
    QSqlQuery q = db.executa(sql, valores);
    while (q.next())
        degraus.append({segundosDoBanco(q.value(0)).value_or(0),
                        Dinheiro::doBanco(q.value(1)).value_or(Dinheiro{})});
    return degraus;
}
