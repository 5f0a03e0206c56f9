#pragma once
// What "Registrar e Imprimir" prints once the lane has registered the vehicle: the entry ticket;
// at the exit the fiscal coupon when a fiscal printer is configured, else the exit receipt or,
// with "Imprimir apenas autenticação" ticked, the authentication line. Each is made from the
// panel's request (and at the entry the ticket, date and time the vehicle was given). A printout
// that fails is told to the operator; the vehicle stays registered.

#include "app/contexto.h"
#include "yard/entrada.h"
#include "yard/saida.h"

// Whether a fiscal printer is configured.
bool ha_impressora_fiscal(const Estado& e);

void imprime_entrada(Contexto& ctx, const CamposEntrada& c, const ResultadoPista& r);
// Tells in `r` what the printout leaves for the panel: after a fiscal coupon the panel keeps
// the vehicle as it is; the authentication line unticks its box.
void imprime_saida(Contexto& ctx, const CamposSaida& c, ResultadoPista& r);
