#include "data/ordem_geral.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

int sinal(int v) { return (v > 0) - (v < 0); }

// The three ways of comparing agree in sign: UTF-8 and UTF-16 with the ASCII shortcut, and the
// full folding.
void confere(const QString& a, const QString& b) {
    const int completa = sinal(comparaOrdemGeralCompleta(a, b));
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    EXPECT_EQ(sinal(comparaOrdemGeral(std::string_view(ua.constData(), size_t(ua.size())),
                                      std::string_view(ub.constData(), size_t(ub.size())))),
              completa)
        << a.toStdString() << " | " << b.toStdString();
    EXPECT_EQ(sinal(comparaOrdemGeral(QStringView(a), QStringView(b))), completa)
        << a.toStdString() << " | " << b.toStdString();
}

}  // namespace

TEST(OrdemGeral, AtalhoAsciiIgualAoDobramentoCompleto) {
    const struct { const char *a, *b; int esperado; } pares[] = {
        {"ABC-1234", "abc-1234", 0},
        {"ABC-1234", "ABC-1235", -1},
        {"JOSÉ", "josé", 0},
        {"josé", "jose", 1},             // accented beside its plain letter, but distinct
        {"jose", "JOSÉ", -1},
        {"álvaro", "Bruno", -1},
        {"Alberto", "álvaro", -1},
        {"ÇA", "cb", -1},
        {"", "", 0},
        {"", "a", -1},
        {"a", "", 1},
        {"a", "á", -1},
        {"ab", "a\u0301", 1},            // a lone accent mark folds away
        {"a", "a\u0301", -1},
        {"Z", "a", 1},                   // by letter, not by byte
        {"_", "a", -1},
        {"[", "a", -1},
        {"9", "A", -1},
        {"10", "9", -1},
        {"a-b", "a b", 1},
        {"MÃE", "mae", 1},
        {"ação", "ACAO", 1},
        {"São Paulo", "sao paulo", 1},
        {"ÉÊË", "eee", 1},
        {"ß", "ss", 1},
        {"ABC-123\u00e9", "ABC-1234", 1},
    };
    for (const auto& p : pares) {
        const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
        EXPECT_EQ(sinal(comparaOrdemGeralCompleta(a, b)), p.esperado) << p.a << " | " << p.b;
        confere(a, b);
        confere(b, a);
    }

    // Every pair of texts of up to two characters from a set mixing case, accents, digits,
    // punctuation and a lone mark.
    const QString letras = QString::fromUtf8("aAzZáÁãçÇé1-_ \u0301ß");
    QStringList textos{QString()};
    for (QChar c : letras) textos << QString(c);
    for (QChar c : letras)
        for (QChar d : letras) textos << QString(c) + d;
    for (const QString& a : textos)
        for (const QString& b : textos) confere(a, b);
}
