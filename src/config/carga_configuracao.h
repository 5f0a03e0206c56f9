#pragma once
// What the configuration window shows when it opens, read from the settings row, the tariff
// rows and the ticket counter. Reads only.

#include "data/banco.h"

#include <QString>

#include <optional>

struct CargaConfiguracao {
    // Tab "Rotativo": the further-period rule; tab "Diária": the day rate. Empty without a row.
    QString apo_cob, apo_cad;
    QString tem_dia, val_dia;

    // Tab "Geral".
    QString cnp;   // empty: the empty mask
    bool mostrar_lista = false, habilitar_prisma = false, estacionamento24h = false;
    bool men_atraso_tranca = false, rel_analitico = false, habilitar_veiculo = false;
    QString lin1, lin2, lin3, lin4, pen, ult;
    QString impr, can_ent, can_sai;          // items of their lists
    bool ativar_cancela_ent = false, ativar_cancela_sai = false;
    bool ativar_cancela_ent_manual = false, ativar_cancela_sai_manual = false;
    QString tem_ent, tem_sai;
    bool baixam_sozinhas = true;             // "As cancelas baixam automaticamente"
    QString bai;
    int bobina = 36;                         // 36, 40 or 48
    QString ava;
    QString imp_fis, ali;                    // items of their lists
    bool leiturax = false;
    bool reducaoz = false;
    QString hor_red;
    QString tic, pro;                        // texts in the ticket box's places

    // Tab "Escrit/Pista".
    bool escritorio = false;
    QString fil;
    std::optional<qint16> filial;            // set for a lane: the number to remember (0 for none)
};

CargaConfiguracao leCargaConfiguracao(Banco& db);

// A number's digits left-aligned in exactly `casas` characters, cut after the last place.
QString textoEmCasas(qint64 numero, int casas);
