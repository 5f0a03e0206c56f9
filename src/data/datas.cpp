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

// Writes `v` in `n` digits at `b`; returns the place after them.
char* algarismos(char* b, int v, int n) {
    for (int i = n - 1; i >= 0; --i, v /= 10) b[i] = char('0' + v % 10);
    return b + n;
}

// The usual forms are written and read here, without the general date-format machinery; the
// rest goes through it, so the results are the same. Each text is put together in place and
// made a string once: the lanes write several at every vehicle.
QString textoData(int a, int m, int dia, char sep, bool anoPrimeiro) {
    char b[10];
    char* p = b;
    if (anoPrimeiro) {
        p = algarismos(p, a, 4);
        *p++ = sep;
        p = algarismos(p, m, 2);
        *p++ = sep;
        algarismos(p, dia, 2);
    } else {
        p = algarismos(p, dia, 2);
        *p++ = sep;
        p = algarismos(p, m, 2);
        *p++ = sep;
        algarismos(p, a, 4);
    }
    return QString::fromLatin1(b, sizeof b);
}

bool anoComum(int a) { return a >= 1000 && a <= 9999; }
bool anoComum(const QDate& d) { return d.isValid() && anoComum(d.year()); }

// `d` in the usual form when its year has four digits, else empty. The calendar is read once:
// each of year(), month() and day() would work it out from the day number again.
QString textoDataComum(const QDate& d, char sep, bool anoPrimeiro) {
    if (!d.isValid()) return {};
    int a, m, dia;
    d.getDate(&a, &m, &dia);
    return anoComum(a) ? textoData(a, m, dia, sep, anoPrimeiro) : QString();
}

QString textoHora(const QTime& t, bool segundos) {
    const int s = t.msecsSinceStartOfDay() / 1000;   // one reading for the three parts
    char b[8];
    char* p = algarismos(b, s / 3600, 2);
    *p++ = ':';
    p = algarismos(p, s / 60 % 60, 2);
    if (segundos) {
        *p++ = ':';
        p = algarismos(p, s % 60, 2);
    }
    return QString::fromLatin1(b, p - b);
}

}  // namespace

QVariant dataParaBanco(const QDate& d) {
    if (QString r = textoDataComum(d, '-', true); !r.isEmpty()) return r;
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
    if (QString r = textoDataComum(d, '/', false); !r.isEmpty()) return r;
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
