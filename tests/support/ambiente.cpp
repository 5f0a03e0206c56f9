#include "support/ambiente.h"

#include "data/cria_banco.h"
#include "data/datas.h"
#include "data/esquema.h"

#include <QSqlQuery>
#include <QSqlRecord>

Ambiente::Ambiente() {
    const QDateTime agora = plataforma.agora();
    cria_banco(ctx.estado.db, plataforma.pastaPrograma() + QStringLiteral("/dados.mdb"),
               [&](Banco& db) {
                   db.executa(QStringLiteral(
                                  "INSERT INTO geral (versao, data, hora, linha1, linha2, linha3, "
                                  "linha4, impressora, cancela_entrada, cancela_saida) "
                                  "VALUES (?, ?, ?, '', '', '', '', 'LPT1', ' ', ' ')"),
                              {kVersaoEsquema, dataParaBanco(agora.date()), horaParaBanco(agora.time())});
                   db.executa(QStringLiteral("INSERT INTO data_hora (data, hora) VALUES (?, ?)"),
                              {dataParaBanco(agora.date()), horaParaBanco(agora.time())});
               });
    ctx.estado.data_atual = agora.date();
    ctx.estado.hora_atual = agora.time();
}

int Ambiente::conta(const QString& tabela) {
    return db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
}

QStringList Ambiente::linha(const QString& sql, const QVariantList& valores) {
    QSqlQuery q = db().executa(sql, valores);
    QStringList r;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            r << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
    return r;
}

void falhaAoGravar(Ambiente& a, const char* tabela) {
    a.db().executa(QStringLiteral("CREATE TRIGGER falha BEFORE INSERT ON %1 "
                                  "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END").arg(tabela));
}
