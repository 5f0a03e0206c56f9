#pragma once
// Rows of a branch or office database for the backup and exchange tests.

#include "support/ambiente.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

inline void defineFilial(Ambiente& amb, const QVariant& filial, bool escritorio = false) {
    amb.db().executa("UPDATE geral SET filial = ?, escritorio = ?", {filial, escritorio ? 1 : 0});
}

inline void saida(Ambiente& amb, const QVariant& ticket, const QString& placa,
                  const QString& horaEntrada, const QVariant& filial, qint64 total = 50000) {
    amb.db().executa("INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, "
                     "hora_saida, ticket, placa, tipo_estacionamento, caixa, total, "
                     "valor_liquido, filial) VALUES ('2026-12-01', ?, '2026-12-01', '18:00:00', "
                     "?, ?, 'R', 1, ?, ?, ?)",
                     {horaEntrada, ticket, placa, total, total, filial});
}

inline void mensalista(Ambiente& amb, int codigo, const QString& nome, const QVariant& filial) {
    amb.db().executa("INSERT INTO mensalistas (codigo, data_inicio, tipo, nome, endereco, "
                     "num_max_veic, dia_vencto, filial, cnpj, tolerancia) "
                     "VALUES (?, '2026-01-01', 1, ?, 'Rua A', 1, 10, ?, '', 5)",
                     {codigo, nome, filial});
}

inline void veiculo(Ambiente& amb, int codigo, const QString& placa, const QVariant& filial) {
    amb.db().executa("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
                     "VALUES (?, 'Gol', '2010', ?, ?)",
                     {codigo, placa, filial});
}

inline void mensalidade(Ambiente& amb, int codigo, const QString& mes, bool pago,
                        const QVariant& filial, qint64 valor = 1000000) {
    amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago, valor, filial) "
                     "VALUES (?, ?, ?, ?, ?)",
                     {codigo, mes, pago ? 1 : 0, valor, filial});
}

// Every row of a table as text, in a stable order, for before-and-after comparisons.
inline QStringList linhas(Banco& db, const QString& tabela) {
    QStringList r;
    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM %1").arg(tabela));
    while (q.next()) {
        QStringList campos;
        for (int i = 0; i < q.record().count(); ++i)
            campos << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        r << campos.join(u'|');
    }
    r.sort();
    return r;
}

inline QByteArray bytes(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
