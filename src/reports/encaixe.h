#pragma once
// How a value is set in its box on a report's page: whole, never cut. A text that does not fit on
// one line at the normal size is set a little smaller; when even the smallest size allowed is too
// wide, it wraps over as many lines as it needs, at the normal size. Widths come from a table of
// each letter's advance, so a text that plainly fits costs no measuring; a text close to its
// box's width is measured exactly.

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

class EncaixeTexto {
public:
    // `tamanho`: the normal size, in the painter's units.
    explicit EncaixeTexto(int tamanho);

    struct Encaixe {
        QFont fonte;
        QStringList linhas;   // one line unless the text wraps
    };
    Encaixe encaixa(const QString& texto, double largura, bool negrito) const;
    // The lines the text takes: what encaixa() gives, without building them for a text that fits.
    int linhas(std::string_view utf8, double largura, bool negrito) const;

    // The width of the text on one line at the normal size.
    double largura(const QString& texto, bool negrito) const {
        return corpos_[negrito][0].metricas.horizontalAdvance(texto);
    }
    // The height of one line of text, whatever its size.
    double alturaLinha() const { return alturaLinha_; }
    const QFont& fonte(bool negrito) const { return corpos_[negrito][0].fonte; }
    // The smallest size a value is set at, as a share of the normal size.
    static constexpr double kMenorProporcao = 0.8;

private:
    struct Corpo {
        QFont fonte;
        QFontMetricsF metricas;
        std::vector<double> avancos;   // by code point, for the Latin letters
    };
    // The advance of a text from the table; false when a letter is not in it.
    static bool larguraTabela(const Corpo& c, const QString& t, double& largura);
    static bool larguraTabela(const Corpo& c, std::string_view utf8, double& largura);
    static bool cabe(const Corpo& c, const QString& t, double largura, double tabela, bool conhecida);
    QStringList quebra(const QString& texto, double largura, const Corpo& c) const;

    std::vector<Corpo> corpos_[2];   // regular and bold, from the normal size down
    double alturaLinha_ = 0;
};

// A font of the size that sets `texto` on one line of `largura`: `fonte` itself when it fits.
QFont fonteQueCabe(const QFont& fonte, const QString& texto, double largura);
