#pragma once
// Vehicle exit: checks the total, the kind's requirements and the amount paid, takes the
// vehicle out of the yard, records the stay for the open cash register and works the exit gate.

#include "app/contexto.h"
#include "yard/cancelas.h"
#include "yard/resultado_pista.h"
#include "yard/tarifas/pedido_tarifa.h"

#include <optional>

// The exit panel when a "Registrar" button is pressed.
struct CamposSaida {
    QString tic;          // ticket text as in the field ("0000000000" for a subscriber)
    QString pla;          // plate as in the field, mask characters included
    QString dat_ent, hor_ent, dat_sai, hor_sai;   // "dd/mm/yyyy" and "HH:MM:SS"
    QString val_pag;      // the amount paid, as typed
    QString modalidade;   // "R", "T", "C", "M" or "D"
    QString tur;          // the chosen shift's text, empty when none
    QString cod_con;      // the chosen partner's code
    // The fee the panel shows, as computed, and what for; none while it shows none ("ERRO", or
    // nothing computed yet). The exit is refused unless the vehicle, times, kind, shift and
    // partner above are those it was computed for.
    std::optional<TotalCalculado> calculo;
    // For the receipt: the tag and the vehicle as shown, whether their fields are shown, and
    // "Imprimir apenas autenticação".
    QString pri, vei;
    bool priVisivel = false;
    bool veiVisivel = false;
    bool soAutenticacao = false;
};

inline const QString kMsgTotalDeOutroVeiculo = QStringLiteral(
    "O total mostrado não foi calculado para este veículo, com estes horários e esta forma de "
    "pagamento. Confira o veículo: o total será calculado de novo.");

inline const QString kMsgTarifaMudou = QStringLiteral(
    "A tarifa mudou depois que o total foi calculado. O total será calculado de novo: confira-o "
    "antes de registrar a saída.");

// The fee request the fields describe: the vehicle, its times, kind, shift and partner.
PedidoTarifa pedidoDaSaida(const CamposSaida& campos);

// True when the fee was computed for the vehicle and kind the other fields show.
bool totalDoVeiculo(const CamposSaida& campos);

// Removing the vehicle from the yard, recording its stay and queueing it at a manual gate stand
// or fall together: a vehicle never leaves the yard without its stay recorded.
ResultadoPista registra_saida(Contexto& ctx, ControleCancelas& cancelas, const CamposSaida& campos);
