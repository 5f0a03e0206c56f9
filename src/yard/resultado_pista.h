#pragma once
// What an entry or an exit of the lanes gives back to the window that asked for it.

#include "app/plataforma.h"

#include <QString>

// An unfilled plate: the empty mask "   -    " (or what is left of it once blanks are stripped).
inline bool placaEmBranco(const QString& pla) {
    const QString t = pla.trimmed();
    return t.isEmpty() || t == QLatin1String("-");
}

// The lane field that takes the focus after a refusal.
enum class CampoPista { Nenhum, tic, pla, pri, vei, tur, val_pag };

struct ResultadoPista {
    bool registrado = false;
    // A refusal's message; empty when the operator answered No to a question.
    QString mensagem;
    Icone icone = Icone::Informacao;
    CampoPista foco = CampoPista::Nenhum;

    // Entry only: the texts the lane panel shows for the vehicle just registered.
    QString tic;
    QString dat_ent;
    QString hor_ent;

    // The vehicle was queued for a gate raised by hand: its "Ativar Cancela" button is enabled.
    bool enfileirado = false;

    // The `veiculos_patio` row (rowid) the entry wrote or the exit deleted, for the yard list.
    qint64 linhaPatio = 0;

    static ResultadoPista recusa(const QString& mensagem, Icone icone, CampoPista foco) {
        ResultadoPista r;
        r.mensagem = mensagem;
        r.icone = icone;
        r.foco = foco;
        return r;
    }
};
