#pragma once
// Subscribers whose code their branch changed since the office last merged its file. The file
// brings them under the new code only, maybe under a new name too, and says nothing of the
// change: the office still holds them, their months, vehicles, stays and payments under the old
// code. The office tells them by what survives the change, strongest first: their history the
// office already holds (a stay, a payment, a paid month, now under another code), their name with
// their start date, or a plate with their start date; and only where that singles out one
// subscriber on each side (an event several subscribers share tells none of them).

#include <QString>
#include <QVariant>

#include <vector>

class Banco;

struct CodigoTrocado {
    qint64 linha;    // the office's row of `mensalistas`
    qint64 antigo;
    qint64 novo;
    QString nome;          // as the file has it
    QString nomeAntigo;    // as the office had it
};

// An active subscriber of the branch at the office that the file no longer holds under its code
// and that the office could not tell among the file's subscribers. When the file gives one of
// its plates to an active subscriber of its own, it is marked deleted here, so that the branch
// has one active holder of each plate at the office.
struct MensalistaSemPar {
    qint64 linha;
    qint64 codigo;
    QString nome;
    QString placa;         // empty: no plate of it is another's in the file
    qint64 codigoDono = 0;
    QString nomeDono;
};

// A subscriber the file shows renumbered onto a code that the office holds for another
// subscriber of the branch, who stays there: merged, the file's rows under that code would
// land on the other's.
struct CodigoOcupado {
    CodigoTrocado troca;
    QString nomeDono;
};

struct CodigosDaFilial {
    std::vector<CodigoTrocado> trocas;
    std::vector<MensalistaSemPar> semPar;
    std::vector<CodigoOcupado> ocupados;
};

// The subscribers of branch `filial` that the file `arq` holds under another code than the
// office `db` does, and those the office could not match. A change is given only when it leaves
// no doubt, and when its new code is free at the office or left by another subscriber moving too;
// one onto a code that another keeps there is given in `ocupados`.
CodigosDaFilial codigosTrocados(Banco& db, Banco& arq, const QVariant& filial);

// Moves the office's rows of the changed subscribers to their new codes: the subscriber, its
// months, vehicles and stays of the branch, its payments, those taken here too (without a
// branch, told by the payer rule), and its cars parked here; and marks deleted the unmatched
// ones whose plate the file gives to another. Inside the caller's transaction. Throws ErroBanco,
// naming both subscribers, before changing anything when a new code is another's.
void trocaCodigos(Banco& db, const CodigosDaFilial& codigos);

// The lines of the merge's message that name them, each starting with a line break.
QString avisoCodigos(const CodigosDaFilial& codigos);
