#include "devices/bobina.h"

namespace {
// Windows-1252 places these characters in 0x80-0x9F, where Latin-1 has control codes.
constexpr char16_t kAlto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QByteArray Bobina::cp1252(const QString& texto) {
    QByteArray r;
    r.reserve(texto.size());
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            r.append(char(u));
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i)
            if (kAlto[i] != 0 && kAlto[i] == u) b = char(0x80 + i);
        r.append(b);
    }
    return r;
}

namespace {

bool soBrancos(QStringView t) {
    for (QChar c : t)
        if (c != u' ') return false;
    return true;
}

qsizetype brancosNoFim(const QString& t) {
    qsizetype n = 0;
    while (n < t.size() && t[t.size() - 1 - n] == u' ') ++n;
    return n;
}

qsizetype brancosNoInicio(const QString& t) {
    qsizetype n = 0;
    while (n < t.size() && t[n] == u' ') ++n;
    return n;
}

}  // namespace

QStringList Bobina::ajusta(const QString& texto, int colunas) {
    if (colunas <= 0 || texto.size() <= colunas) return {texto};
    if (soBrancos(QStringView(texto).mid(colunas))) return {texto.left(colunas)};
    QString t = texto.left(texto.size() - brancosNoFim(texto));
    const qsizetype inicio = brancosNoInicio(t);
    if (t.size() - inicio <= colunas) return {t.mid(t.size() - colunas)};
    t = t.mid(inicio);
    // The last blank that leaves the line within the roll; none, and the word breaks at the edge.
    qsizetype corte = qMin<qsizetype>(colunas, t.size() - 1);
    while (corte > 0 && t[corte] != u' ') --corte;
    QStringList r;
    if (corte > 0) {
        const QString primeira = t.left(corte);
        r << primeira.left(primeira.size() - brancosNoFim(primeira));
        const QString resto = t.mid(corte + 1);
        r << ajusta(resto.mid(brancosNoInicio(resto)), colunas);
    } else {
        r << t.left(colunas) << ajusta(t.mid(colunas), colunas);
    }
    return r;
}

void Bobina::escreve(const QString& texto) {
    bytes_.append(cp1252(texto));
    bytes_.append("\r\n");
}

void Bobina::linha(const QString& texto) {
    for (const QString& l : ajusta(texto, colunas_)) escreve(l);
}

std::optional<QString> Bobina::junta(const QString& primeiro, const QString& segundo, int colunas) {
    const qsizetype excesso = primeiro.size() + segundo.size() - colunas;
    if (colunas <= 0 || excesso <= 0) return primeiro + segundo;
    const QString a = primeiro.left(primeiro.size() - brancosNoFim(primeiro));
    const QString b = segundo.mid(brancosNoInicio(segundo));
    const qsizetype brancos = (primeiro.size() - a.size()) + (segundo.size() - b.size()) - excesso;
    if (brancos < 1) return std::nullopt;
    return a + QString(brancos, u' ') + b;
}

void Bobina::par(const QString& primeiro, const QString& segundo, const QString& sozinho) {
    if (const std::optional<QString> junto = junta(primeiro, segundo, colunas_)) return linha(*junto);
    linha(primeiro.left(primeiro.size() - brancosNoFim(primeiro)));
    linha(sozinho.isEmpty() ? segundo.mid(brancosNoInicio(segundo)) : sozinho);
}

void Bobina::avanco(int n) {
    for (int i = 0; i < n; ++i) bytes_.append("\r\r\n");
}
