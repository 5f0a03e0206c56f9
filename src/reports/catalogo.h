#pragma once
// The pieces of a report request that the reports window reads from the database or builds
// from the dates it was given.

#include "data/banco.h"
#include "data/dinheiro.h"
#include "reports/pedido.h"

#include <QDate>
#include <QString>

// The product's name, in the footer when the company has none.
inline const QString kNomeProduto = QStringLiteral("Quelmar");

// "({campo}>=#yyyy/mm/dd# and {campo}<=#yyyy/mm/dd#)": both ends included.
QString formulaFaixa(const QString& campo, const QDate& inicio, const QDate& fim);

// "rodape='<empresa>'" from `geral.empresa`, the product's name when there is none. A single
// quote in the name is doubled, so that the name reaches the footer whole.
QString formulaRodape(Banco& db);

// A sum as the formulas write numbers: a point as decimal mark, no grouping, no trailing zeros,
// no zero before the point under 1, a blank before a sum that is not negative (" 1234.5").
QString numeroFormula(Dinheiro valor);

// "total_mensalidades=" and the monthly-fee payments received between the two dates (both
// included), only those the fee list books to the branch when `filial` is filled ("  " is not);
// "=0" when none.
QString formulaTotalMensalidades(Banco& db, const QDate& inicio, const QDate& fim, const QString& filial);

// The revenue report's request, "Faturamento entre" or (`detalhado`) "Faturamento detalhado
// entre" the two dates: its title, the selection of its exits and of the monthly fees in its
// subreport (only those of the branch when `filial` is filled) and its three formulas, the
// monthly-fee total as read by the report (formulaTotalMensalidades). The template, the sort
// fields and the rest of `pedido` stay as they were.
void pedidoFaturamento(PedidoRelatorio& pedido, Banco& db, bool detalhado, const QDate& inicio, const QDate& fim,
                       const QString& filial);
