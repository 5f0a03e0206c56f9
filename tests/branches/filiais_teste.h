#pragma once
// Rows of a branch or office database for the backup and exchange tests.

#include "support/ambiente.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <tuple>

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

// An office holding branches 1 "Centro" and 2 "Norte", which gave the same codes to different
// subscribers, and one of its own (no branch) under code 9: each with a vehicle and April paid,
// and a fee of 150,00 but Vítor's 1.234,56.
inline void escritorioDeDuasFiliais(Ambiente& amb) {
    defineFilial(amb, QVariant(), true);
    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro'), (2, 'Norte')");
    amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (1, 'Mensal', 1500000, 10)");
    const std::tuple<int, QVariant, const char*> todos[] = {
        {5, 1, "Vítor Peçanha"}, {5, 2, "Érico Simões"}, {9, 1, "Lúcia Prado"}, {9, 2, "Otávio Araújo"},
        {9, {}, "Xavier Escritório"}, {12, 1, "Joana Assunção"}, {12, 2, "Gisele Conceição"},
        {14, 1, "Karina Lopes"}, {14, 2, "Rafael Dias"}};
    for (const auto& [codigo, filial, nome] : todos) {
        mensalista(amb, codigo, QString::fromUtf8(nome), filial);
        amb.db().executa("UPDATE mensalistas SET valor = ?, rg = '1' WHERE codigo = ? AND filial IS ?",
                         {codigo == 5 && filial == 1 ? 12345600 : 1500000, codigo, filial});
        veiculo(amb, codigo, QString("F%1A-%2").arg(filial.toInt()).arg(codigo, 4, 10, QChar('0')), filial);
        mensalidade(amb, codigo, "2026-04-01", true, filial, 1500000);
    }
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
