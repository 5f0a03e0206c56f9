#include "config/listas_configuracao.h"

#include "data/datas.h"
#include "data/dinheiro.h"

#include <QSqlQuery>

namespace {

QString dinheiro(const QVariant& v) { return Dinheiro::doBanco(v).value_or(Dinheiro{}).formata(); }

QStringList coluna(Banco& db, const QString& sql) {
    QStringList r;
    QSqlQuery q = db.executa(sql);
    while (q.next()) r << q.value(0).toString();
    return r;
}

}  // namespace

QList<std::pair<QString, qint64>> tiposMensalistas(Banco& db) {
    QList<std::pair<QString, qint64>> r;
    QSqlQuery q = db.executa(QStringLiteral("SELECT tipo, codigo FROM tipos_mensalistas ORDER BY tipo, codigo"));
    while (q.next()) r.append({q.value(0).toString(), q.value(1).toLongLong()});
    return r;
}

QStringList nomesConvenios(Banco& db) {
    return coluna(db, QStringLiteral("SELECT convenio FROM convenios ORDER BY convenio"));
}

QList<QStringList> linhasTurnos(Banco& db) {
    QList<QStringList> r;
    QSqlQuery q = db.executa(QStringLiteral(
        "SELECT hora_inicial, hora_final, valor FROM turnos ORDER BY hora_inicial"));
    while (q.next())
        r << QStringList{horaHm(horaDoBanco(q.value(0))), horaHm(horaDoBanco(q.value(1))),
                         dinheiro(q.value(2))};
    return r;
}

QList<QStringList> linhasRotativo(Banco& db) {
    QList<QStringList> r;
    QSqlQuery q =
        db.executa(QStringLiteral("SELECT tempo, valor FROM rotativo_variavel ORDER BY ordem"));
    while (q.next()) r << QStringList{horaHm(horaDoBanco(q.value(0))), dinheiro(q.value(1))};
    return r;
}
