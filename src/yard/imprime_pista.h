#pragma once
// What "Registrar e Imprimir" prints once the lane has registered the vehicle: the entry ticket;
// at the exit the fiscal coupon when a fiscal printer is configured, else the exit receipt or,
// with "Imprimir apenas autenticação" ticked, the authentication line. A printout that fails is
// told to the operator; the vehicle stays registered.

#include "app/contexto.h"
#include "yard/comprovantes.h"

class JanelaPrincipal;

// The lane panel's texts as they stand now.
DadosComprovante dados_da_pista(const JanelaPrincipal& j);

// Whether a fiscal printer is configured.
bool ha_impressora_fiscal(const Estado& e);

void imprime_entrada(Contexto& ctx, const DadosComprovante& d);
// False after a fiscal coupon, which leaves the exit panel as it is; true when the panel is to be
// made ready for the next vehicle. Unticks "Imprimir apenas autenticação" after its line.
bool imprime_saida(Contexto& ctx, JanelaPrincipal& j, const DadosComprovante& d);
