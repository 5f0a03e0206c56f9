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

void Bobina::linha(const QString& texto) {
    bytes_.append(cp1252(texto));
    bytes_.append("\r\n");
}

void Bobina::avanco(int n) {
    for (int i = 0; i < n; ++i) bytes_.append("\r\r\n");
}
