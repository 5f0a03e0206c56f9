#pragma once
// The monthly-fee payment: the subscriber's data, the amount of a month, and the payment itself
// (the month's row marked paid and the cash movement, in one transaction).

#include "data/banco.h"
#include "data/chave_mensalista.h"
#include "data/dinheiro.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

struct MensalistaPagamento {
    QString tipo;          // name of the subscriber's type
    QString dia;           // due day
    Dinheiro valor;        // the subscriber's own monthly fee
    QVariant filial;       // branch code; null for this installation's own subscriber
    QString nomeFilial;    // empty when the branch is not registered
};

struct CargaPagamento {
    std::optional<MensalistaPagamento> mensalista;
    QString recusa;   // the message when there is nothing to show
};

// The subscriber behind "OK"; refused when the subscriber or its type is missing, or when the
// row lacks the fee or due day that a payment needs.
CargaPagamento carrega_mensalista_pagamento(Banco& db, const ChaveMensalista& m);

// The first day of the month of a "MM/YY" text; nothing when the month part is not 01 to 12.
// Years 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
std::optional<QDate> mesDoTexto(const QString& texto);

// `f` / `diasDoMes` × `dias`, rounded to the cent, halves away from zero.
Dinheiro proporcional(Dinheiro f, int diasDoMes, int dias);

// The vacation days between `inicio` and `fim` (both included) that fall in the month of `mes`.
int diasDeFerias(const QDate& inicio, const QDate& fim, const QDate& mes);

// The amount owed for the month starting on `mes`, from the monthly fee `f`: the share from the
// start date in the month the subscription started, the full fee for the subscriber's first
// row otherwise or for a month already opened by an entry, otherwise the fee less the vacation
// days that fall in the month.
Dinheiro calcula_mensalidade(Banco& db, const ChaveMensalista& m, const QDate& mes, Dinheiro f);

// The discount and the additional both filled: the smaller is taken off the larger and cleared.
struct DescontoAdicional {
    QString des;
    QString adi;
};
DescontoAdicional compensa_desconto_adicional(const QString& des, const QString& adi);

struct PedidoPagamento {
    qint64 codigo = 0;
    QDate mes;              // first day of the month paid
    Dinheiro valor;         // the amount shown
    Dinheiro desconto;
    Dinheiro adicional;
    QVariant filial;        // the subscriber's branch, null for none
    qint32 caixa = 0;       // the open cash register
    QDate data;             // the program clock
    QTime hora;
};

enum class FocoPagamento { Nenhum, men, mes, des, adi };

struct ResultadoPagamento {
    bool pago = false;
    QString mensagem;
    FocoPagamento foco = FocoPagamento::Nenhum;
};

// What the month costs with the discount and the additional as typed: the month's amount less
// the discount plus the additional, or the refusal of a discount or additional that is no
// amount, or of a discount larger than what is owed (no payment is ever below zero).
struct ValorAPagar {
    std::optional<Dinheiro> valor;   // nothing when refused
    Dinheiro desconto;
    Dinheiro adicional;
    QString recusa;
    FocoPagamento foco = FocoPagamento::Nenhum;
};
ValorAPagar valor_a_pagar(Dinheiro valorMes, const QString& des, const QString& adi);

// The checks against the start date and the months already paid, then the payment. An amount
// below zero is refused whatever led to it.
ResultadoPagamento efetua_pagamento(Banco& db, const PedidoPagamento& p);
