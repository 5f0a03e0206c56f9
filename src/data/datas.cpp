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

namespace {

bool algarismo(QChar c) { return c >= u'0' && c <= u'9'; }

int numero(QStringView t, qsizetype de, qsizetype n) {
    int v = 0;
    for (qsizetype i = de; i < de + n; ++i) v = v * 10 + (t[i].unicode() - u'0');
    return v;
}

bool forma(QStringView t, QStringView modelo) {
    if (t.size() != modelo.size()) return false;
    for (qsizetype i = 0; i < t.size(); ++i)
        if (modelo[i] == u'9' ? !algarismo(t[i]) : t[i] != modelo[i]) return false;
    return true;
}

}  // namespace

QVariant dataBrParaBanco(const QString& texto) {
    const QStringView t = QStringView(texto).trimmed();
    if (forma(t, u"99/99/9999")) {
        const int d = numero(t, 0, 2), m = numero(t, 3, 2), a = numero(t, 6, 4);
        if (QDate::isValid(a, m, d)) {
            QString r = t.mid(6, 4).toString();
            r += u'-';
            r += t.mid(3, 2);
            r += u'-';
            r += t.mid(0, 2);
            return r;
        }
    }
    return dataParaBanco(QDate::fromString(t.toString(), QStringLiteral("dd/MM/yyyy")));
}

QVariant horaTextoParaBanco(const QString& texto) {
    const QStringView t = QStringView(texto).trimmed();
    if (forma(t, u"99:99:99") && QTime::isValid(numero(t, 0, 2), numero(t, 3, 2), numero(t, 6, 2)))
        return t.toString();
    QTime h = QTime::fromString(t.toString(), QStringLiteral("HH:mm:ss"));
    if (!h.isValid()) h = QTime::fromString(t.toString(), QStringLiteral("HH:mm"));
    return horaParaBanco(h);
}
