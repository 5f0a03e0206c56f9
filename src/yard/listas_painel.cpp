#include "yard/listas_painel.h"

#include "data/datas.h"

#include <QSqlQuery>

QStringList itensTurnos(Banco& db) {
    QStringList r;
    QSqlQuery q = db.executa(QStringLiteral("SELECT hora_inicial, hora_final FROM turnos ORDER BY hora_inicial"));
    while (q.next())
        r << horaHm(horaDoBanco(q.value(0))) + QStringLiteral(" - ") + horaHm(horaDoBanco(q.value(1)));
    return r;
}

ListaConvenios lista_convenios(Banco& db) {
    ListaConvenios l;
    QSqlQuery q = db.executa(QStringLiteral("SELECT codigo, convenio FROM convenios ORDER BY convenio"));
    while (q.next()) {
        l.codigos << q.value(0).toString();
        l.nomes << q.value(1).toString();
    }
    return l;
}
