#include "widgets/regra_mascara.h"

#include <vector>

namespace {

// For each character of the field's text: what the operator types there (the mask's character,
// "9" a digit, "n" a letter or digit...) or nothing where the mask writes a literal. The blank
// shown in empty places comes after ";".
struct Mascara {
    std::vector<QChar> entrada;
    QChar branco = u' ';
};

Mascara leMascara(const QString& mascara) {
    Mascara m;
    QString corpo = mascara;
    const qsizetype ponto = corpo.lastIndexOf(u';');
    if (ponto >= 0 && (ponto == 0 || corpo[ponto - 1] != u'\\')) {
        if (ponto + 1 < corpo.size()) m.branco = corpo[ponto + 1];
        corpo.truncate(ponto);
    }
    bool escapado = false;
    for (QChar c : corpo) {
        if (escapado) {
            m.entrada.push_back(QChar());
            escapado = false;
        } else if (c == u'\\') {
            escapado = true;
        } else if (QStringLiteral("<>![]{}").contains(c)) {
            // Case switches and reserved characters take no place in the text.
        } else {
            m.entrada.push_back(QStringLiteral("AaNnXx90Dd#HhBb").contains(c) ? c : QChar());
        }
    }
    return m;
}

}  // namespace

int posicaoDeDigitacao(const QString& mascara, const QString& texto, int cursor) {
    const Mascara m = leMascara(mascara);
    const int tamanho = int(qMin(texto.size(), qsizetype(m.entrada.size())));
    int fim = 0;
    for (int i = 0; i < tamanho; ++i)
        if (!m.entrada[size_t(i)].isNull() && texto[i] != m.branco) fim = i + 1;
    // The literals after it belong to what was typed: "12:" goes on with the minutes.
    while (fim < tamanho && m.entrada[size_t(fim)].isNull()) ++fim;
    return cursor > fim ? fim : cursor;
}

bool cabeNaMascara(const QString& mascara, const QString& texto) {
    const Mascara m = leMascara(mascara);
    const auto digito = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const auto letra = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    for (qsizetype i = 0; i < qMin(texto.size(), qsizetype(m.entrada.size())); ++i) {
        const QChar lugar = m.entrada[size_t(i)];
        const QChar c = texto[i];
        if (lugar.isNull() || c == m.branco) continue;
        bool aceito = true;
        switch (lugar.toLower().unicode()) {
        case u'a': aceito = letra(c); break;
        case u'n': aceito = letra(c) || digito(c); break;
        case u'9':
        case u'0':
        case u'd': aceito = digito(c); break;
        case u'#': aceito = digito(c) || c == u'+' || c == u'-'; break;
        case u'h': aceito = digito(c) || (c.toLower() >= u'a' && c.toLower() <= u'f'); break;
        case u'b': aceito = c == u'0' || c == u'1'; break;
        // Any character the ticket printer prints: the printable part of Windows-1252's Latin-1.
        case u'x': aceito = (c >= u' ' && c <= u'~') || (c >= QChar(0xA0) && c <= QChar(0xFF)); break;
        default: break;
        }
        if (!aceito) return false;
    }
    return true;
}
