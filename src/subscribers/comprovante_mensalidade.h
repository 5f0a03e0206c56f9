#pragma once
// The receipt of a monthly-fee payment on the ticket printer: two copies of the same lines.

#include "data/banco.h"
#include "data/chave_mensalista.h"
#include "data/dinheiro.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

struct Comprovante {
    QString linha1, linha2, linha3, linha4, cnpj;   // the receipts' header and the company number
    QString nome, tel_res, tel_cel;                  // the subscriber
    QDate data;                                      // the program clock when printed
    QTime hora;
    QDate mes;                                       // the month paid
    Dinheiro valorPago;                              // recorded for the month
    QString des, adi;                                // as the payment window shows them
};

// Reads the payment just recorded for the subscriber's month (the latest of its code and month)
// and the subscriber's name and telephones; fills the subscriber and payment parts.
bool le_comprovante(Banco& db, const ChaveMensalista& m, const QDate& mes, Comprovante& c);

// Both copies, each followed by `avanco` feed lines, in the layout of the paper width `bobina`.
// The receipt adds up: its "Valor" is the month's amount before the discount or the additional
// (the whole fee, or the share of a first month or of a month with vacation days), so that with
// them it makes the "Total" paid; without them it is the amount paid, under its month.
QByteArray comprovante_pgto_mensalidade(const Comprovante& c, int bobina, int avanco);
