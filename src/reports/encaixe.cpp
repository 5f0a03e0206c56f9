#include "reports/encaixe.h"

#include <cmath>

namespace {

// The sizes tried, as shares of the normal one, down to the smallest allowed.
constexpr double kProporcoes[] = {1.0, 0.93, 0.86, EncaixeTexto::kMenorProporcao};
// The letters whose advance is in the table: Latin-1 and Latin Extended-A and -B.
constexpr char32_t kLetrasTabela = 0x250;
// A text the table makes this much narrower than its box fits whatever the kerning does.
constexpr double kFolgaTabela = 0.97;
// ...and this much wider does not.
constexpr double kExcessoTabela = 1.15;

QFont fonteDe(int pixels, bool negrito) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, pixels));   // the painter is scaled: pixels here are its units
    f.setBold(negrito);
    return f;
}

}  // namespace

EncaixeTexto::EncaixeTexto(int tamanho) {
    for (int negrito = 0; negrito < 2; ++negrito)
        for (double p : kProporcoes) {
            const QFont f = fonteDe(int(std::lround(tamanho * p)), negrito != 0);
            Corpo c{f, QFontMetricsF(f), std::vector<double>(kLetrasTabela, 0.0)};
            for (char32_t l = 0x20; l < kLetrasTabela; ++l)
                if (l < 0x7f || l >= 0xa0) c.avancos[l] = c.metricas.horizontalAdvance(QChar(char16_t(l)));
            corpos_[negrito].push_back(std::move(c));
        }
    alturaLinha_ = std::max(corpos_[0][0].metricas.height(), corpos_[1][0].metricas.height());
}

bool EncaixeTexto::larguraTabela(const Corpo& c, const QString& t, double& largura) {
    largura = 0;
    for (QChar l : t) {
        if (l.unicode() >= kLetrasTabela) return false;
        largura += c.avancos[l.unicode()];
    }
    return true;
}

bool EncaixeTexto::larguraTabela(const Corpo& c, std::string_view utf8, double& largura) {
    // Adds up in the same order as the text's other form above, so both give the same sum.
    largura = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t l = b;
        if (b >= 0x80) {
            if ((b & 0xe0) != 0xc0 || i + 1 >= utf8.size()) return false;
            const auto b2 = static_cast<unsigned char>(utf8[++i]);
            if ((b2 & 0xc0) != 0x80) return false;
            l = char32_t(b & 0x1f) << 6 | (b2 & 0x3f);
        }
        if (l >= kLetrasTabela) return false;
        largura += c.avancos[l];
    }
    return true;
}

bool EncaixeTexto::cabe(const Corpo& c, const QString& t, double largura, double tabela, bool conhecida) {
    if (conhecida && tabela <= largura * kFolgaTabela) return true;
    if (conhecida && tabela > largura * kExcessoTabela) return false;
    return c.metricas.horizontalAdvance(t) <= largura;
}

EncaixeTexto::Encaixe EncaixeTexto::encaixa(const QString& texto, double largura, bool negrito) const {
    const std::vector<Corpo>& corpos = corpos_[negrito];
    for (const Corpo& c : corpos) {
        double tabela = 0;
        const bool conhecida = larguraTabela(c, texto, tabela);
        if (cabe(c, texto, largura, tabela, conhecida)) return {c.fonte, {texto}};
    }
    return {corpos[0].fonte, quebra(texto, largura, corpos[0])};
}

int EncaixeTexto::linhas(std::string_view utf8, double largura, bool negrito) const {
    double tabela = 0;
    if (larguraTabela(corpos_[negrito][0], utf8, tabela) && tabela <= largura * kFolgaTabela) return 1;
    return int(encaixa(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), largura, negrito).linhas.size());
}

QStringList EncaixeTexto::quebra(const QString& texto, double largura, const Corpo& c) const {
    const auto larg = [&c](const QString& t) { return c.metricas.horizontalAdvance(t); };
    QStringList r;
    QString linha;
    for (const QString& palavra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString junto = linha.isEmpty() ? palavra : linha + QLatin1Char(' ') + palavra;
        if (larg(junto) <= largura) {
            linha = junto;
            continue;
        }
        if (!linha.isEmpty()) r << linha;
        linha = palavra;
        // A word wider than the box is broken where it must be, keeping at least one letter a line.
        while (linha.size() > 1 && larg(linha) > largura) {
            qsizetype n = linha.size() - 1;
            while (n > 1 && larg(linha.left(n)) > largura) --n;
            r << linha.left(n);
            linha = linha.mid(n);
        }
    }
    if (!linha.isEmpty() || r.isEmpty()) r << linha;
    return r;
}

QFont fonteQueCabe(const QFont& fonte, const QString& texto, double largura) {
    const double w = QFontMetricsF(fonte).horizontalAdvance(texto);
    if (w <= largura || w <= 0) return fonte;
    QFont f = fonte;
    f.setPixelSize(std::max(1, int(std::floor(fonte.pixelSize() * largura / w))));
    return f;
}
