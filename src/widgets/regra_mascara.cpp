#include "widgets/regra_mascara.h"

#include <vector>

namespace {

// For each character of the field's text: what the operator types there (the mask's character,
// "9" a digit, "n" a letter or digit...) or nothing where the mask writes a literal. The blank
// shown in empty places comes after ";".
struct Mascara {
    std::vector<QChar> entrada;
    std::vector<QChar> literal;   // the character the mask writes there, or nothing
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
            m.literal.push_back(c);
            escapado = false;
        } else if (c == u'\\') {
            escapado = true;
        } else if (QStringLiteral("<>![]{}").contains(c)) {
            // Case switches and reserved characters take no place in the text.
        } else {
            const bool lugar = QStringLiteral("AaNnXx90Dd#HhBb").contains(c);
            m.entrada.push_back(lugar ? c : QChar());
            m.literal.push_back(lugar ? QChar() : c);
        }
    }
    return m;
}

bool digito(QChar c) { return c >= u'0' && c <= u'9'; }
bool letra(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Whether the place of mask character `lugar` takes `c`.
bool cabeNoLugar(QChar lugar, QChar c) {
    switch (lugar.toLower().unicode()) {
    case u'a': return letra(c);
    case u'n': return letra(c) || digito(c);
    case u'9':
    case u'0':
    case u'd': return digito(c);
    case u'#': return digito(c) || c == u'+' || c == u'-';
    case u'h': return digito(c) || (c.toLower() >= u'a' && c.toLower() <= u'f');
    case u'b': return c == u'0' || c == u'1';
    // Any character the ticket printer prints: the printable part of Windows-1252's Latin-1.
    case u'x': return (c >= u' ' && c <= u'~') || (c >= QChar(0xA0) && c <= QChar(0xFF));
    default: return true;
    }
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
    for (qsizetype i = 0; i < qMin(texto.size(), qsizetype(m.entrada.size())); ++i) {
        const QChar lugar = m.entrada[size_t(i)];
        const QChar c = texto[i];
        if (lugar.isNull() || c == m.branco) continue;
        if (!cabeNoLugar(lugar, c)) return false;
    }
    return true;
}

bool coladoEntraInteiro(const QString& mascara, int posicao, const QString& colado) {
    const Mascara m = leMascara(mascara);
    const int tamanho = int(m.entrada.size());
    const auto literal = [&m](int i) { return m.entrada[size_t(i)].isNull(); };
    // Where the first of `de` on that `serve` is, or -1.
    const auto procura = [tamanho](int de, auto serve) {
        for (int j = de; j < tamanho; ++j)
            if (serve(j)) return j;
        return -1;
    };
    // Each character goes where the field's mask puts it (a literal it equals is passed over, a
    // place that does not take it is skipped); one that finds nowhere would be lost.
    int i = qMax(posicao, 0);
    for (QChar c : colado) {
        if (!letra(c) && !digito(c)) return false;
        bool passou = false;
        for (; i < tamanho && literal(i) && !passou; ++i) passou = m.literal[size_t(i)] == c;
        if (passou) continue;
        if (i >= tamanho) return false;
        if (cabeNoLugar(m.entrada[size_t(i)], c)) {
            ++i;
            continue;
        }
        int j = procura(i, [&](int k) { return literal(k) && m.literal[size_t(k)] == c; });
        if (j < 0) j = procura(i, [&](int k) { return !literal(k) && cabeNoLugar(m.entrada[size_t(k)], c); });
        if (j < 0) return false;
        i = j + 1;
    }
    return true;
}
