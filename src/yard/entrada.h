#pragma once
// Vehicle entry: refuses an empty plate and a plate already parked, applies the subscriber rules
// (quota of vehicles in the yard, monthly fees in arrears), gives a casual vehicle the next
// ticket, parks it stamped with the program clock, and works the entry gate.

#include "app/contexto.h"
#include "yard/cancelas.h"
#include "yard/resultado_pista.h"

// The entry panel when a "Registrar" button is pressed.
struct CamposEntrada {
    QString pla;   // as in the field, mask characters included
    QString pri;   // tag number, blank when not given
    QString vei;   // vehicle description, may be empty
    // The tag and vehicle fields are shown: their lines are printed on the ticket.
    bool priVisivel = false;
    bool veiVisivel = false;
};

// `mensalista_pago` values written at entry.
inline constexpr int kPagaSeparado = 0;     // over the subscriber's quota
inline constexpr int kPagaEmAtraso = -2;    // subscriber in arrears, pays as casual

// The last ticket the counter gave or stands at, 0 when none: its highest row or its
// auto-number's position, whichever is ahead (rows may have gone since, and a counter moved or
// restored keeps only its position). The next casual entry takes this number plus one.
qint64 ultimo_ticket(Banco& db);

// Every write of one entry (month row, ticket, yard row, gate queue) stands or falls together.
// The subscriber questions and notices go through the platform before anything is written.
ResultadoPista registra_entrada(Contexto& ctx, ControleCancelas& cancelas,
                                const CamposEntrada& campos);
