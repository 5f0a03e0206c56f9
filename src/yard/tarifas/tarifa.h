#pragma once
// PROVISIONAL: replaced by the fee routines' own header when they land.

#include "app/plataforma.h"
#include "data/banco.h"
#include "data/dinheiro.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QTime>

#include <optional>

struct PedidoTarifa {
    QString modalidade;
    QString tic, pla, dat_ent, hor_ent, dat_sai, hor_sai;
    QString tur;
    QString cod_con;
    QDate data_atual;
    QTime hora_atual;
    bool estacionamento24h = false;
};

struct ResultadoTarifa {
    std::optional<Dinheiro> total;
    QString mensagem;
    Icone icone = Icone::Informacao;
    QString foco;
    bool limpaMemoria = false;
    QList<QPair<QString, QString>> campos;
};

ResultadoTarifa calcula_total(Banco& db, const PedidoTarifa& p);
QString limites_do_dia(const QString& dat_ent, const QString& hor_ent, const QString& dat_sai,
                       const QString& hor_sai, bool estacionamento24h);
