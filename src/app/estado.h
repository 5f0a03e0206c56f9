#pragma once
// The shared state every window sees: the open database, the program clock, the operator and
// the copies of the general settings that the lanes need at every vehicle.

#include "app/trava_pasta.h"
#include "data/banco.h"
#include "devices/impressos.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <memory>

struct Estado {
    // Declared before the database: released only after it is closed.
    TravaPasta trava;
    Banco db;
    QString texto_sql;

    // The program clock; both start at the zero date until the start-up window closes.
    QTime hora_atual{0, 0, 0};
    QDate data_atual{1899, 12, 30};

    QString usuario_atual;
    // The cash register open for this login, 0 when none is: the lanes charge into it, and the
    // main window shows its buttons from it.
    qint32 numero_caixa = 0;
    bool caixaAberto() const { return numero_caixa != 0; }
    bool permissao_pri = false;

    // Copies of the `geral` settings.
    QString impressora;
    QString impressora_fiscal;
    QString codigo_aliquota;
    bool duas_impressoras = false;
    QString cancela_entrada;
    QString cancela_saida;
    QString linha1, linha2, linha3, linha4;
    QString penult_linha, ult_linha;
    QString cnpj;
    qint16 bobina = 0;
    qint16 avanco_bobina = 0;
    bool ativar_cancela_ent = false;
    bool ativar_cancela_sai = false;
    qint16 tempo_cancela_ent = 0;
    qint16 tempo_cancela_sai = 0;
    bool ativar_cancela_ent_manual = false;
    bool ativar_cancela_sai_manual = false;
    qint16 tempo_baixa_cancelas = 0;
    bool men_atraso_tranca = false;
    bool estacionamento24h = false;

    // "Registrar e Imprimir" is offered when either printer is configured. The entry prints its
    // ticket only on the ticket printer (with only a fiscal printer it registers the entry and
    // prints nothing); the exit prints its receipt there or issues the fiscal coupon. The login,
    // the modes and a settings save all follow this one rule, so the buttons never depend on
    // which of them ran last.
    bool imprimeSaida() const {
        return impressora != QLatin1String(" ") || impressora_fiscal != QLatin1String(" ");
    }
    bool imprimeEntrada() const { return imprimeSaida(); }

    // Last status returned by the fiscal printer; kept, read nowhere.
    qint16 retorno_daruma = 0;
    // The item code of the fiscal coupon whose close the printer refused, which is still open;
    // empty when none is. It is closed before any other item is sold.
    QString cupom_aberto;

    // The printouts on their way to the ticket printer and those that failed unseen; the
    // printer's answers, which come later, reach it only while it lives.
    std::shared_ptr<ImpressoesBobina> impressoes = std::make_shared<ImpressoesBobina>();
};
