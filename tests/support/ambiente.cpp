#include "support/ambiente.h"

#include "data/cria_banco.h"
#include "data/datas.h"

Ambiente::Ambiente() {
    const QDateTime agora = plataforma.agora();
    cria_banco(ctx.estado.db, plataforma.pastaPrograma() + QStringLiteral("/dados.mdb"),
               [&](Banco& db) {
                   db.executa(QStringLiteral(
                                  "INSERT INTO geral (versao, data, hora, linha1, linha2, linha3, "
                                  "linha4, impressora, cancela_entrada, cancela_saida) "
                                  "VALUES (122, ?, ?, '', '', '', '', 'LPT1', ' ', ' ')"),
                              {dataParaBanco(agora.date()), horaParaBanco(agora.time())});
                   db.executa(QStringLiteral("INSERT INTO data_hora (data, hora) VALUES (?, ?)"),
                              {dataParaBanco(agora.date()), horaParaBanco(agora.time())});
               });
    ctx.estado.data_atual = agora.date();
    ctx.estado.hora_atual = agora.time();
}
