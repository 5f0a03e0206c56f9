#pragma once
// Closing the open cash register: its `caixa` row is closed with the program clock and its
// summary (`fechamento_caixa`, one `fechamento_caixa_convenios` row per partner) is rebuilt whole,
// all in one transaction.

#include "app/contexto.h"
#include "data/dinheiro.h"

#include <QString>

#include <vector>

// One partner's stays under the register, by partner code.
struct TotalConvenio {
    qint64 codigo = 0;
    QString nome;   // the partner's name, or a name saying it is unknown
    qint64 qtd = 0;
    Dinheiro valor;
};

// What the register took, as the closing stores it.
struct TotaisFechamento {
    // Stays by time table, shift and day rate, and subscribers' stays that paid at the exit
    // (outside their hours), so that the closing accounts for every amount the register took.
    qint64 qtd_veiculos = 0;
    // The net amounts of those same stays.
    Dinheiro valor_veiculos;
    Dinheiro valor_mensalidades;
    // One entry per partner code among the register's stays, in code order.
    std::vector<TotalConvenio> convenios;
};

// The largest count the summary's count fields hold.
inline constexpr qint64 kMaiorQuantidade = 32767;

TotaisFechamento totais_fechamento(Banco& db, qint32 caixa);

// The name a partner row carries when the partner's `convenios` row is gone.
QString nome_convenio_desconhecido(qint64 codigo);

// Whether `numero` is a register still open.
bool caixa_aberto(Banco& db, qint32 numero);

struct ResultadoFechamento {
    bool fechado = false;
    QString mensagem;   // the refusal or failure, when not closed
    Icone icone = Icone::Informacao;
    Dinheiro troco;     // the float of the register closed
};

// Closes the register `numero_caixa` with `data_atual` and `hora_atual`. Either everything is
// stored or nothing is: on a refusal or a failure the register stays open, an earlier summary
// under its number stays as it was, and `numero_caixa` keeps its value (the caller clears it).
ResultadoFechamento grava_fechamento(Contexto& ctx);
