#pragma once
// "Gravar" of the tab "Geral": the checks in their order, the probe of the parallel ports the
// lists name, the save of the `geral` row, and the new settings handed at once to the shared
// state that the lanes read. What the main window must show is returned for the window to apply.

#include "app/contexto.h"
#include "config/resultado_aba.h"
#include "yard/tela_principal.h"   // EfeitosGeral

inline const QString kBranco = QStringLiteral(" ");
inline const QString kCnpjVazio = QStringLiteral("  .   .   /    -  ");

// The tab's controls as the operator left them.
struct DadosGeral {
    QString cnp = kCnpjVazio;
    bool mostrar_lista = false;        // Check2
    bool habilitar_prisma = false;     // Check7
    bool men_atraso_tranca = false;    // Check8
    bool estacionamento24h = false;    // Check11
    bool rel_analitico = false;        // Check14
    bool habilitar_veiculo = false;    // Check15
    QString lin1, lin2, lin3, lin4, pen, ult;
    QString impr = kBranco, can_ent = kBranco, can_sai = kBranco;
    bool ativar_cancela_ent = false;   // Check3
    QString tem_ent = kBranco;
    bool ativar_cancela_sai = false;   // Check4
    QString tem_sai = kBranco;
    bool ativar_cancela_ent_manual = false;   // Check5
    bool ativar_cancela_sai_manual = false;   // Check6
    bool baixam_sozinhas = false;      // Check9
    bool baixar_apos = false;          // Check10
    QString bai = QStringLiteral("  ");
    int bobina = 0;                    // 36, 40 or 48 as chosen; 0 when no option is chosen
    QString ava = QStringLiteral("  ");
    QString imp_fis = kBranco, ali = kBranco;
    bool leiturax = false;             // Check12
    bool reducaoz = false;             // Check13
    QString hor_red = QStringLiteral("  :  ");
};

struct ResultadoGeral : ResultadoAba {
    EfeitosGeral efeitos;   // what the main window shows after a save
};

// Asks the two-printers question and probes the ports through `ctx.plataforma`. On success the
// row is stored and `ctx.estado` holds the new copies; on a refusal or a failure nothing changed.
ResultadoGeral grava_geral(Contexto& ctx, const DadosGeral& d);

// The fiscal printer's tax code for an entry of the rate list ("ST" is "FF", "Isento" "II",
// "17,0" "1700"); empty for the blank entry.
QString codigo_aliquota_da_lista(const QString& ali);
