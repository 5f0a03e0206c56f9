#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The bytes of one paper-roll printout: one byte a character in Windows-1252, each line ended by
// CR LF, and the feed lines that push the paper out, each a lone CR before the line end.
//
// Given the roll's width, no line goes past its edge, where the printer would wrap it into a
// broken receipt: a line that fits is written as it is; a longer one loses the blanks that pad
// it, and what still does not fit goes on the next line. Nothing of a value is ever cut.
class Bobina {
public:
    // `colunas` 0: lines are written as they are, whatever their length.
    explicit Bobina(int colunas = 0) : colunas_(colunas) {}

    // The layout's width for the `bobina` setting: 36, 40, and 48 for any other value.
    static int largura(int bobina) { return bobina == 36 ? 36 : bobina == 40 ? 40 : 48; }

    void linha(const QString& texto);
    // Two label-and-value pairs that the layout prints on one line, `primeiro + segundo`; the
    // blanks where they meet are padding. On a narrower roll those blanks go first, down to one;
    // when the line still does not fit, `segundo` goes on a line of its own, as `sozinho` when
    // given (the narrower layout's text of the same pair), else without its leading blanks.
    void par(const QString& primeiro, const QString& segundo, const QString& sozinho = {});
    // The one line `par` prints for the pair on a roll of `colunas` columns, its padding where
    // the two meet cut down as needed; nothing when the pair does not fit on one line.
    static std::optional<QString> junta(const QString& primeiro, const QString& segundo, int colunas);
    // `n` feed lines; none when n is 0 or less.
    void avanco(int n);
    const QByteArray& bytes() const { return bytes_; }

    // The lines that `texto` takes on a roll of `colunas` columns: itself when it fits; else it
    // loses the blanks that pad its end, then those that pad its start, only as many as needed;
    // else it breaks at the last blank that leaves the line within the roll (a word longer than
    // the roll breaks at the edge) and goes on in the next line.
    static QStringList ajusta(const QString& texto, int colunas);

    // Windows-1252 text; a character it cannot hold goes out as "?".
    static QByteArray cp1252(const QString& texto);

private:
    void escreve(const QString& texto);

    int colunas_;
    QByteArray bytes_;
};
