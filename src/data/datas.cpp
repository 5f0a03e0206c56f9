#include "data/datas.h"

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

void algarismos(QString& r, int v, int n) {
    char b[4];
    for (int i = n - 1; i >= 0; --i, v /= 10) b[i] = char('0' + v % 10);
    r.append(QLatin1String(b, n));
}

// The usual forms are written and read here, without the general date-format machinery; the
// rest goes through it, so the results are the same.
QString textoData(const QDate& d, char sep, bool anoPrimeiro) {
    int a, m, dia;
    d.getDate(&a, &m, &dia);
    QString r;
    r.reserve(10);
    if (anoPrimeiro) {
        algarismos(r, a, 4);
        r.append(QLatin1Char(sep));
        algarismos(r, m, 2);
        r.append(QLatin1Char(sep));
        algarismos(r, dia, 2);
    } else {
        algarismos(r, dia, 2);
        r.append(QLatin1Char(sep));
        algarismos(r, m, 2);
        r.append(QLatin1Char(sep));
        algarismos(r, a, 4);
    }
    return r;
}

bool anoComum(const QDate& d) { return d.isValid() && d.year() >= 1000 && d.year() <= 9999; }

QString textoHora(const QTime& t, bool segundos) {
    QString r;
    r.reserve(8);
    algarismos(r, t.hour(), 2);
    r.append(u':');
    algarismos(r, t.minute(), 2);
    if (segundos) {
        r.append(u':');
        algarismos(r, t.second(), 2);
    }
    return r;
}

}  // namespace

QVariant dataParaBanco(const QDate& d) {
    if (anoComum(d)) return textoData(d, '-', true);
    return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
}

QVariant horaParaBanco(const QTime& t) {
    return t.isValid() ? QVariant(textoHora(t, true)) : QVariant();
}

QDate dataDoBanco(const QVariant& v) {
    if (v.isNull()) return {};
    const QString texto = v.toString();
    const QStringView t = QStringView(texto).left(10);
    if (forma(t, u"9999-99-99")) {
        const QDate d(numero(t, 0, 4), numero(t, 5, 2), numero(t, 8, 2));
        if (anoComum(d)) return d;
    }
    return QDate::fromString(texto.left(10), QStringLiteral("yyyy-MM-dd"));
}

QTime horaDoBanco(const QVariant& v) {
    if (v.isNull()) return {};
    const QString texto = v.toString();
    if (forma(texto, u"99:99:99")) {
        const int h = numero(texto, 0, 2), m = numero(texto, 3, 2), s = numero(texto, 6, 2);
        if (QTime::isValid(h, m, s)) return QTime(h, m, s);
    }
    return QTime::fromString(texto, QStringLiteral("HH:mm:ss"));
}

QString dataBr(const QDate& d) {
    if (anoComum(d)) return textoData(d, '/', false);
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}
QString horaHm(const QTime& t) { return t.isValid() ? textoHora(t, false) : QString(); }
QString horaHms(const QTime& t) { return t.isValid() ? textoHora(t, true) : QString(); }

QString dataBrDoBanco(const QString& texto) {
    const QStringView t = QStringView(texto).left(10);
    if (forma(t, u"9999-99-99") && t[0] != u'0' &&
        QDate::isValid(numero(t, 0, 4), numero(t, 5, 2), numero(t, 8, 2))) {
        QString r;
        r.reserve(10);
        r.append(t.mid(8, 2)).append(u'/').append(t.mid(5, 2)).append(u'/').append(t.left(4));
        return r;
    }
    return dataBr(dataDoBanco(texto));
}

QString horaHmsDoBanco(const QString& texto) {
    if (forma(texto, u"99:99:99") && QTime::isValid(numero(texto, 0, 2), numero(texto, 3, 2), numero(texto, 6, 2)))
        return texto;
    return horaHms(horaDoBanco(texto));
}

QVariant dataBrParaBanco(const QString& texto) {
    const QStringView t = QStringView(texto).trimmed();
    if (forma(t, u"99/99/9999")) {
        const int d = numero(t, 0, 2), m = numero(t, 3, 2), a = numero(t, 6, 4);
        if (QDate::isValid(a, m, d)) return dataParaBanco(QDate(a, m, d));
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
