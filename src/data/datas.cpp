#include "data/datas.h"

QVariant dataParaBanco(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
}

QVariant horaParaBanco(const QTime& t) {
    return t.isValid() ? QVariant(t.toString(QStringLiteral("HH:mm:ss"))) : QVariant();
}

QDate dataDoBanco(const QVariant& v) {
    if (v.isNull()) return {};
    return QDate::fromString(v.toString().left(10), QStringLiteral("yyyy-MM-dd"));
}

QTime horaDoBanco(const QVariant& v) {
    if (v.isNull()) return {};
    return QTime::fromString(v.toString(), QStringLiteral("HH:mm:ss"));
}

QString dataBr(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }
QString horaHm(const QTime& t) { return t.toString(QStringLiteral("HH:mm")); }
QString horaHms(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
