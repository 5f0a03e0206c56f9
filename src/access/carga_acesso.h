#pragma once
// The start-up of the program: open `dados.mdb` in the program's folder (or create it), bring an
// older file up to date, warn about a computer date far past the last start, record today as the
// last start and copy the printer and gate settings into the shared state.

#include "app/contexto.h"
#include "data/dinheiro.h"
#include "data/esquema.h"

#include <QString>

#include <optional>

// The program's version is the version of the layout it writes.
inline constexpr int kVersaoPrograma = kVersaoEsquema;
inline const QString kNomeBanco = QStringLiteral("dados.mdb");
inline const QString kProgramaJaAberto =
    QStringLiteral("O Quelmar já está aberto nesta pasta (%1), talvez por outro usuário. "
                   "Use o programa que já está aberto.");
inline const QString kAvisoSemUsuarios =
    QStringLiteral("Não há usuários cadastrados. Clique em OK.");

struct ResultadoCarga {
    // False when the database could not be opened, created or upgraded: `falha` holds what to
    // tell the operator and the program must end.
    bool ok = true;
    QString falha;
    // No user row at all: show the notice and disable the name and password boxes.
    bool semUsuarios = false;
    // The printer settings were read into the shared state: the two "Registrar e Imprimir"
    // buttons follow them; otherwise they are left as they are.
    bool configuracoesLidas = false;
    bool criado = false;
};

// Runs the whole start-up against `ctx.plataforma`'s folder and clock; shows the 5-day warning
// and the first-start notice through the platform. Never throws.
ResultadoCarga carrega_banco(Contexto& ctx);

// "1.22" for "122": the first digit, a point and the last two, or only the second when the
// last one is "0".
QString texto_versao(const QString& versao);

// The fiscal printer's tax code from `geral.imposto` and `geral.aliquota`; `atual` when none
// of the known rates matches.
QString codigo_aliquota_de(const QString& imposto, std::optional<Dinheiro> aliquota,
                           const QString& atual);
