#pragma once
// The lane panel's fields as the lanes know them, and what an entry or an exit of the lanes
// gives back to the window that asked for it.

#include "app/plataforma.h"

#include <QString>

// Empty texts of the masked lane fields; a subscriber's vehicle has the ticket "0000000000".
inline const QString kTicketVazio = QStringLiteral("          ");
inline const QString kPlacaVazia = QStringLiteral("   -    ");
inline const QString kPrismaVazio = QStringLiteral("   ");
inline const QString kTicketMensalista = QStringLiteral("0000000000");

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

    // Entry only: the ticket, date and time given to the vehicle just registered, as its
    // printout shows them.
    QString tic;
    QString dat_ent;
    QString hor_ent;

    // The vehicle was queued for a gate raised by hand: its "Ativar Cancela" button is enabled.
    bool enfileirado = false;

    // Exit printed: a fiscal coupon was issued, and the panel keeps the vehicle just registered;
    // or only the authentication line was printed, and "Imprimir apenas autenticação" goes off.
    bool cupomFiscal = false;
    bool autenticacaoImpressa = false;

    // The `veiculos_patio` row (rowid) the entry wrote or the exit deleted, for the yard list.
    qint64 linhaPatio = 0;

    // Exit refused: the fee shown is not what the tariffs in force charge, and the panel computes
    // it again.
    bool calculaDeNovo = false;

    static ResultadoPista recusa(const QString& mensagem, Icone icone, CampoPista foco) {
        ResultadoPista r;
        r.mensagem = mensagem;
        r.icone = icone;
        r.foco = foco;
        return r;
    }
};
