#pragma once
// A stored subscriber as the register shows it: every field as the text its control takes, the
// authorised vehicles and the fee history. Read by the lookup, shown by the register.

#include "data/banco.h"
#include "data/chave_mensalista.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct MesHistorico {
    QStringList celulas;   // "Mês" (MM/yy), "Data Pgto." (dd/MM/yy), "Valor"
    bool aberto = false;   // a month still unpaid, shown in white on red
};

struct FichaMensalista {
    QString cod, dat, nom, ende, bai, cep, cid, ani;
    bool excluido = false;      // marked deleted: found only by its code
    QString tel_res, tel_com, tel_cel, fax, rg;
    bool cnpj = false;          // the document is a CNPJ
    QString documento;          // the CPF or CNPJ text
    QString tipo;               // the type's code, as the hidden twin list holds it
    QString dia, valor, tol;
    QString filial;             // the branch's code, as the hidden twin list holds it
    QString num, dat_ini, dat_fim, hor_ini, hor_fim;
    std::array<bool, 7> dias{};   // Sunday to Saturday
    QList<QStringList> veiculos;  // vehicle, year, plate; in the order stored
    QList<MesHistorico> historico;  // newest month first
};

// The subscriber, with its own vehicles and months only, or nothing when there is none.
std::optional<FichaMensalista> leFichaMensalista(Banco& db, const ChaveMensalista& m);
