#pragma once
// The register's checks and writes besides the save: a vehicle put on the list, the soft delete.

#include "data/banco.h"
#include "subscribers/grava_mensalista.h"

#include <QStringList>

#include <functional>

// The checks of a vehicle about to be put on the list, in order; nothing when it may go in.
// `placasNaLista` are the plate cells of the list's data rows; `anoAtual` is the computer's year.
std::optional<ResultadoMensalista> verifica_veiculo(Banco& db,
                                                     const std::optional<ChaveMensalista>& carregado,
                                                     const QString& vei, const QString& ano,
                                                     const QString& pla,
                                                     const QStringList& placasNaLista,
                                                     int anoAtual);

struct ResultadoExclusaoMensalista {
    bool encontrado = false;
    bool excluido = false;      // false: not found, or the operator answered No
    bool restamAtivos = true;   // some subscriber is still not deleted
};

// Marks the subscriber deleted once `confirma` (asked with the subscriber's name as stored, not
// a name typed since) says yes; nothing else of theirs is touched.
ResultadoExclusaoMensalista exclui_mensalista(
    Banco& db, const ChaveMensalista& m, const std::function<bool(const QString& nome)>& confirma);
