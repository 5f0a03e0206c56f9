#pragma once
// Subscribers whose code their branch changed since the office last merged its file. The file
// brings them under the new code only; the office still holds them, their months, vehicles,
// stays and payments under the old one. Within a branch a subscriber's name is its own, so the
// office's subscriber that the file no longer holds under its code is the file's subscriber of
// the same name and start date that the office does not hold yet.

#include <QString>
#include <QVariant>

#include <vector>

class Banco;

struct CodigoTrocado {
    qint64 linha;    // the office's row of `mensalistas`
    qint64 antigo;
    qint64 novo;
    QString nome;
};

// The subscribers of branch `filial` that the file `arq` holds under another code than the
// office `db` does. Only a change that leaves no doubt is given: one subscriber on each side,
// and a new code that no other subscriber of the branch holds at the office.
std::vector<CodigoTrocado> codigosTrocados(Banco& db, Banco& arq, const QVariant& filial);

// Moves the office's rows of those subscribers to their new codes: the subscriber, its months,
// vehicles and stays of the branch, its payments, those taken here too (without a branch, told
// by the payer rule), and its cars parked here. Inside the caller's transaction. Throws ErroBanco.
void trocaCodigos(Banco& db, const std::vector<CodigoTrocado>& trocas);
