#include "yard/tarifas/horarios.h"

#include <QTime>

std::optional<qint64> segundosHora(const QString& texto) {
    QTime t = QTime::fromString(texto, QStringLiteral("HH:mm:ss"));
    if (!t.isValid()) t = QTime::fromString(texto, QStringLiteral("HH:mm"));
    if (!t.isValid()) return std::nullopt;
    return t.msecsSinceStartOfDay() / 1000;
}

std::optional<qint64> segundosDoBanco(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return segundosHora(v.toString());
}

std::optional<QDate> dataTela(const QString& texto) {
    const QDate d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) return std::nullopt;
    return d;
}

std::optional<MomentosTela> momentosDaTela(const QString& datEnt, const QString& horEnt,
                                           const QString& datSai, const QString& horSai) {
    const auto ent = dataTela(datEnt);
    const auto sai = dataTela(datSai);
    const auto e = segundosHora(horEnt);
    const auto s = segundosHora(horSai);
    if (!ent || !sai || !e || !s) return std::nullopt;
    return MomentosTela{*ent, *sai, *e, *s};
}

qint64 instante(const QDate& d, qint64 segundosDoDia) {
    return d.toJulianDay() * kSegundosDia + segundosDoDia;
}

bool saidaAntesDaEntrada(const MomentosTela& m) {
    return instante(m.sai, m.s) < instante(m.ent, m.e);
}

QString textoHms(qint64 segundos) {
    const qint64 s = ((segundos % kSegundosDia) + kSegundosDia) % kSegundosDia;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}
